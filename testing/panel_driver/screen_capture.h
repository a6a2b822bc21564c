#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// What is on the screen, for what messages cannot tell: colours and failure pictures.
namespace screen {

// Red, green and blue of a pixel packed as a COLORREF (red in the low byte).
using Colour = std::uint32_t;

// How many pixels of the window's area on the screen have exactly this colour.
// The window must not be covered.
int CountPixels(HWND window, Colour colour);

// How many pixel rows of the window's area, a margin of inset pixels left out all round,
// have this colour in at least three quarters of their width: lines drawn across it.
int CountLines(HWND window, Colour colour, int inset);

// How many pixel rows of the window's area hold at least one pixel of this colour.
int CountRowsWith(HWND window, Colour colour);

// Whether the window's title bar shows this icon drawn at size x size pixels: every
// pixel the icon covers whole, at one place near the bar's left end.
bool TitleBarShowsIcon(HWND window, HICON icon, int size);

// Writes the whole screen as a 24-bit BMP file; false when it could not.
bool SaveScreenshot(const std::string& path);

} // namespace screen
