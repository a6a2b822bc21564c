#include "panel/tarnlink_app.h"

#include "dialogkit/com_apartment.h"
#include "panel/app_startup.h"
#include "panel/startup_platform_win32.h"

bool CTarnlinkApp::InitInstance() {
    // Before any window: Help and the About box's links go through ShellExecuteW.
    const CComApartment com;
    CWin32StartupPlatform platform;
    RunStartup(platform);
    return false;
}

// The one application object; the framework's entry point runs it.
CTarnlinkApp theApp;
