#pragma once

#include <string>

// Folder of the running executable, ending in its path separator (a backslash on
// Windows). Computed once and kept for the life of the process.
std::string GetProgramFolder();

// Program folder followed by "Settings.ini".
std::string GetSettingsPath();
