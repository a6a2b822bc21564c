#include "dialogkit/display_scale.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Windows 7 and 8.1 lack it; they give every window the system's DPI.
GetDpiForWindowFunction PerMonitorDpiLookup() {
    static const auto lookup = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return lookup;
}

} // namespace

unsigned WindowDpi(HWND window) {
    const GetDpiForWindowFunction lookup = PerMonitorDpiLookup();
    if (window != nullptr && lookup != nullptr) {
        if (const UINT dpi = lookup(window); dpi != 0) {
            return dpi;
        }
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

int ScaleForDpi(int pixelsAt96, unsigned dpi) {
    return ::MulDiv(pixelsAt96, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

bool IsHighContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
