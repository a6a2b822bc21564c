#include "panel/startup_platform_win32.h"

#include "dialogkit/system_library.h"
#include "dialogkit/win_app.h"
#include "panel/message_box_win32.h"
#include "panel/tarnlink_dlg.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

MessageAnswer CWin32StartupPlatform::ShowMessage(const MessageRequest& request) {
    // No window exists yet: the start-up messages have no owner.
    return ShowMessageBox(nullptr, request);
}

void CWin32StartupPlatform::RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
}

bool CWin32StartupPlatform::ClaimSingleInstance(std::wstring_view lockName) {
    // The handle stays open on purpose: the process holds the mutex until it ends.
    ::CreateMutexW(nullptr, TRUE, std::wstring(lockName).c_str());
    return ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void CWin32StartupPlatform::LoadRichEdit() {
    AfxInitRichEdit2();
}

bool CWin32StartupPlatform::HasAdminRights() {
    // Only the NT family knows administrators.
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExW(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        return true;
    }
    // From the system folder only: a setupapi.dll planted beside the program must not
    // decide, or run code, here. The library stays loaded.
    HMODULE setupapi = LoadSystemLibrary(L"setupapi.dll");
    const FARPROC address =
        setupapi != nullptr ? ::GetProcAddress(setupapi, "IsUserAdmin") : nullptr;
    if (address == nullptr) {
        return true;
    }
    using IsUserAdminFunction = BOOL(WINAPI*)();
    // Through the generic function pointer type, which converts to any other.
    const auto isUserAdmin =
        reinterpret_cast<IsUserAdminFunction>(reinterpret_cast<void (*)()>(address));
    return isUserAdmin() != FALSE;
}

void CWin32StartupPlatform::RunMainWindow() {
    CTarnlinkDlg sheet;
    CWinApp* app = AfxGetApp();
    app->m_pMainWnd = &sheet;
    sheet.DoModal();
    app->m_pMainWnd = nullptr;
}
