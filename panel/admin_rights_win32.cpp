#include "panel/admin_rights_win32.h"

#include "dialogkit/system_library.h"

#include <windows.h>

std::optional<std::uint32_t> CWin32AdminRightsQuery::PlatformId() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExW(&version)) {
        return std::nullopt;
    }
    return version.dwPlatformId;
}

std::optional<bool> CWin32AdminRightsQuery::CallIsUserAdmin() {
    // From the system folder only: a setupapi.dll planted beside the program must not
    // decide, or run code, here. The library stays loaded.
    HMODULE setupapi = LoadSystemLibrary(L"setupapi.dll");
    if (setupapi == nullptr) {
        return std::nullopt;
    }
    const FARPROC address = ::GetProcAddress(setupapi, "IsUserAdmin");
    if (address == nullptr) {
        return std::nullopt;
    }
    using IsUserAdminFunction = BOOL(WINAPI*)();
    // Through the generic function pointer type, which converts to any other.
    const auto isUserAdmin =
        reinterpret_cast<IsUserAdminFunction>(reinterpret_cast<void (*)()>(address));
    return isUserAdmin() != FALSE;
}
