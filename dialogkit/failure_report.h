#pragma once

// Tells the user that a message handler failed with an exception, which the framework
// stopped before it could cross a Win32 callback. `what` may be nullptr.
void ReportHandlerFailure(const char* what) noexcept;
