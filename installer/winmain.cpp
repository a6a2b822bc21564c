#include "installer/tarnward_run.h"
#include "installer/win32_platform.h"

#include <windows.h>

// The argument text is taken from the full command line, not from the CRT's split.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tarnward::CWin32Platform platform;
    return static_cast<int>(tarnward::RunTarnward(platform, GetCommandLineA()));
}
