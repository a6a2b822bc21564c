#include "panel/tarnlink_app.h"

#include "panel/admin_rights_win32.h"
#include "panel/app_startup.h"
#include "panel/startup_platform_win32.h"

bool CTarnlinkApp::InitInstance() {
    CWin32StartupPlatform platform;
    CWin32AdminRightsQuery rights;
    RunStartup(platform, rights);
    return false;
}

// The one application object; the framework's entry point runs it.
CTarnlinkApp theApp;
