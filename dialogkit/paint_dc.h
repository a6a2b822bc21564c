#pragma once

#include "dialogkit/wnd.h"

#include <windows.h>

// The device context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC {
public:
    explicit CPaintDC(const CWnd& wnd) : m_window(wnd.GetSafeHwnd()) {
        m_dc = ::BeginPaint(m_window, &m_paint);
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_window, &m_paint); }

    HDC GetSafeHdc() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};
