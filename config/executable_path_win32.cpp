#include "config/executable_path.h"

#include <windows.h>

namespace {

// Long paths reach 32,767 UTF-16 units, which may take two ANSI bytes each.
constexpr DWORD kLongestPath = 65536;

} // namespace

std::string ExecutablePath() {
    // A path that fills the buffer may have been cut, so grow it and ask again.
    for (DWORD size = 500; size <= kLongestPath; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}
