#pragma once

#include <string>

// Full path of the running executable, or empty when the system cannot say.
std::string ExecutablePath();

// The separator that ends the program folder.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
