#include "setup/tarnsetup/setup_lock_win32.h"

#include <string>

namespace tarnsetup {
namespace {

constexpr wchar_t kLockName[] = L"\\Tarnlink setup.lock";

} // namespace

DWORD LockSetup() {
    wchar_t windows[MAX_PATH];
    const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return GetLastError();
    }
    // Held, not closed: the process's end releases and deletes it.
    const HANDLE lock = CreateFileW((std::wstring(windows, length) + kLockName).c_str(),
                                    GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return lock == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
}

} // namespace tarnsetup
