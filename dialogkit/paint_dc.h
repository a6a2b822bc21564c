#pragma once

#include "dialogkit/wnd.h"

#include <windows.h>

// The device context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC {
public:
    explicit CPaintDC(const CWnd& wnd) : m_hWnd(wnd.GetSafeHwnd()) {
        m_hDC = ::BeginPaint(m_hWnd, &m_paint);
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }

    HDC GetSafeHdc() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC = nullptr;
};
