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

void CWin32StartupPlatform::RegisterCommonControls(std::uint32_t structSize,
                                                   std::uint32_t classes) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = structSize;
    controls.dwICC = classes;
    ::InitCommonControlsEx(&controls);
}

// The framework keeps no application state to prepare, does not host embedded
// controls and stores nothing in the registry: these steps have nothing to do here
// and stay only to keep the start-up order readable.
void CWin32StartupPlatform::RunDefaultInitialisation() {}
void CWin32StartupPlatform::EnableControlContainer() {}
void CWin32StartupPlatform::SetRegistryKey(std::wstring_view /*company*/) {}

std::uint32_t CWin32StartupPlatform::CreateInstanceMutex(std::wstring_view name) {
    // The handle is kept open on purpose: the process holds the mutex until it ends.
    ::CreateMutexW(nullptr, TRUE, std::wstring(name).c_str());
    return ::GetLastError();
}

void CWin32StartupPlatform::LoadRichEdit() {
    AfxInitRichEdit2();
}

void CWin32StartupPlatform::RunMainWindow() {
    CTarnlinkDlg sheet;
    CWinApp* app = AfxGetApp();
    app->m_pMainWnd = &sheet;
    sheet.DoModal();
    app->m_pMainWnd = nullptr;
}
