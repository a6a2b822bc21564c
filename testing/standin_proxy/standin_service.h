#pragma once

// Connects the process to the Service Control Manager and runs the stand-in
// proxy service until it stops. Returns the process exit code: 0, or the error
// when the process was not started as a service.
int RunStandinService();
