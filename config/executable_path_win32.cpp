#include "config/executable_path.h"

#include <windows.h>

std::string ExecutablePath() {
    // Long paths reach 32,767 UTF-16 units, which may take two ANSI bytes each: a buffer
    // of that size always holds the whole path, so one call is enough.
    constexpr DWORD kLongestPath = 65536;
    std::string path(kLongestPath, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), kLongestPath);
    path.resize(length < kLongestPath ? length : 0);
    return path;
}
