#include "panel/tarnlink_app_win32.h"

#include "dialogkit/com_apartment.h"
#include "dialogkit/system_library.h"
#include "panel/tarnlink_app_startup.h"
#include "panel/message_box_win32.h"
#include "panel/tarnlink_dlg_win32.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

// The start-up steps on Windows, ending in the modal run of the main window.
class CWin32StartupPlatform : public IStartupPlatform {
public:
    void RegisterCommonControls() override {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_WIN95_CLASSES;
        ::InitCommonControlsEx(&controls);
    }

    bool ClaimSingleInstance(std::wstring_view lockName) override {
        // The handle stays open on purpose: the process holds the mutex until it ends.
        ::CreateMutexW(nullptr, TRUE, std::wstring(lockName).c_str());
        return ::GetLastError() != ERROR_ALREADY_EXISTS;
    }

    void LoadRichEdit() override { AfxInitRichEdit2(); }

    bool HasAdminRights() override {
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

    void RunMainWindow() override {
        CTarnlinkDlg sheet;
        CWinApp* app = AfxGetApp();
        app->m_pMainWnd = &sheet;
        sheet.DoModal();
        app->m_pMainWnd = nullptr;
    }
};

} // namespace

bool CTarnlinkApp::InitInstance() {
    // Before any window: Help and the About box's links go through ShellExecuteW.
    const CComApartment com;
    CWin32StartupPlatform platform;
    CWindowMessageBoxes messages;
    RunStartup(platform, messages);
    return false;
}

// The one application object; the framework's entry point runs it.
CTarnlinkApp theApp;
