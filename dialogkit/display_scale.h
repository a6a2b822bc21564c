#pragma once

#include <windows.h>

// Sizes given in pixels at 96 dpi, shown at the DPI of the window's monitor.
inline constexpr unsigned kDefaultDpi = 96;

// The DPI a window is shown at: its monitor's under per-monitor awareness (Windows 10
// 1607 and later), the system's otherwise or when window is nullptr.
unsigned WindowDpi(HWND window);

// pixelsAt96 at this DPI, rounded to the nearest pixel.
int ScaleForDpi(int pixelsAt96, unsigned dpi);

// Whether a high-contrast theme is on: then windows use the system's colours only.
bool IsHighContrastOn();
