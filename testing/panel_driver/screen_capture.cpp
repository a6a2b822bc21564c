#include "testing/panel_driver/screen_capture.h"

#include <cstddef>
#include <fstream>
#include <vector>

namespace screen {
namespace {

// The pixels of a screen rectangle, bottom-up 32-bit BGRX rows as GetDIBits gives them.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// What draw() paints into a width x height bitmap like the screen's.
template <typename Draw> Capture CaptureDrawing(int width, int height, Draw draw) {
    Capture capture;
    capture.width = width;
    capture.height = height;
    if (capture.width <= 0 || capture.height <= 0) {
        return {};
    }
    HDC screenDc = GetDC(nullptr);
    HDC memoryDc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, capture.width, capture.height);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    draw(memoryDc, screenDc);
    SelectObject(memoryDc, previous);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    capture.pixels.resize(static_cast<std::size_t>(capture.width) *
                          static_cast<std::size_t>(capture.height));
    GetDIBits(memoryDc, bitmap, 0, static_cast<UINT>(capture.height), capture.pixels.data(), &info,
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return capture;
}

Capture CaptureScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    return CaptureDrawing(width, height, [&](HDC memoryDc, HDC screenDc) {
        BitBlt(memoryDc, 0, 0, width, height, screenDc, area.left, area.top, SRCCOPY);
    });
}

Capture CaptureIcon(HICON icon, int size, COLORREF background) {
    return CaptureDrawing(size, size, [&](HDC memoryDc, HDC) {
        const RECT all{0, 0, size, size};
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(memoryDc, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memoryDc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
}

// Blue, green and red; the fourth byte carries nothing.
std::uint32_t PixelAt(const Capture& capture, int x, int y) {
    return capture.pixels[static_cast<std::size_t>(y * capture.width + x)] & 0xFFFFFF;
}

// A DIB pixel is blue in the low byte; a COLORREF has red there.
Colour ToColour(std::uint32_t pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

template <typename T> void Put(std::ofstream& out, T value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

int CountPixels(HWND window, Colour colour) {
    RECT area{};
    if (!GetWindowRect(window, &area)) {
        return 0;
    }
    int count = 0;
    for (std::uint32_t pixel : CaptureScreen(area).pixels) {
        if (ToColour(pixel) == colour) {
            ++count;
        }
    }
    return count;
}

namespace {

// Rows of the window's area, inset pixels left out all round, that hold at least
// share (0 to 1) of their width in this colour, and at least one such pixel.
int CountRows(HWND window, Colour colour, int inset, double share) {
    RECT area{};
    if (!GetWindowRect(window, &area)) {
        return 0;
    }
    InflateRect(&area, -inset, -inset);
    const Capture capture = CaptureScreen(area);
    int rows = 0;
    for (int y = 0; y < capture.height; ++y) {
        int matching = 0;
        for (int x = 0; x < capture.width; ++x) {
            if (ToColour(PixelAt(capture, x, y)) == colour) {
                ++matching;
            }
        }
        if (matching > 0 && matching >= share * capture.width) {
            ++rows;
        }
    }
    return rows;
}

} // namespace

int CountLines(HWND window, Colour colour, int inset) {
    return CountRows(window, colour, inset, 0.75);
}

int CountRowsWith(HWND window, Colour colour) {
    return CountRows(window, colour, 0, 0.0);
}

bool TitleBarShowsIcon(HWND window, HICON icon, int size) {
    RECT area{};
    if (icon == nullptr || !GetWindowRect(window, &area)) {
        return false;
    }
    // The pixels the icon covers whole are the same on black and on white.
    const Capture onBlack = CaptureIcon(icon, size, RGB(0, 0, 0));
    const Capture onWhite = CaptureIcon(icon, size, RGB(255, 255, 255));
    std::vector<POINT> covered;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (PixelAt(onBlack, x, y) == PixelAt(onWhite, x, y)) {
                covered.push_back({x, y});
            }
        }
    }
    if (covered.size() * 4 < static_cast<std::size_t>(size * size)) {
        return false; // too little of the icon to tell it from the bar
    }
    area.right = area.left + 4 * size;
    area.bottom = area.top + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    const Capture bar = CaptureScreen(area);
    for (int top = 0; top + size <= bar.height; ++top) {
        for (int left = 0; left + size <= bar.width; ++left) {
            bool same = true;
            for (const POINT& at : covered) {
                if (PixelAt(bar, left + at.x, top + at.y) != PixelAt(onBlack, at.x, at.y)) {
                    same = false;
                    break;
                }
            }
            if (same) {
                return true;
            }
        }
    }
    return false;
}

bool SaveScreenshot(const std::string& path) {
    const RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const Capture capture = CaptureScreen(area);
    if (capture.pixels.empty()) {
        return false;
    }
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        return false;
    }
    // 24-bit rows are padded to four bytes.
    const auto rowBytes = static_cast<std::uint32_t>((capture.width * 3 + 3) & ~3);
    const auto imageBytes = rowBytes * static_cast<std::uint32_t>(capture.height);
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    Put<std::uint16_t>(out, 0x4D42); // "BM"
    Put<std::uint32_t>(out, kHeaderBytes + imageBytes);
    Put<std::uint32_t>(out, 0);
    Put<std::uint32_t>(out, kHeaderBytes);
    Put<std::uint32_t>(out, 40);
    Put<std::int32_t>(out, capture.width);
    Put<std::int32_t>(out, capture.height);
    Put<std::uint16_t>(out, 1);
    Put<std::uint16_t>(out, 24);
    Put<std::uint32_t>(out, BI_RGB);
    Put<std::uint32_t>(out, imageBytes);
    Put<std::int32_t>(out, 2835);
    Put<std::int32_t>(out, 2835);
    Put<std::uint32_t>(out, 0);
    Put<std::uint32_t>(out, 0);
    std::vector<char> row(rowBytes, 0);
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            const std::uint32_t pixel = PixelAt(capture, x, y);
            const auto at = static_cast<std::size_t>(x) * 3;
            row[at] = static_cast<char>(pixel & 0xFF);
            row[at + 1] = static_cast<char>((pixel >> 8) & 0xFF);
            row[at + 2] = static_cast<char>((pixel >> 16) & 0xFF);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

} // namespace screen
