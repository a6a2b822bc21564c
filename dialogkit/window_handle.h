#pragma once

#include <windows.h>

// The handle part of CWnd. It is a base of its own so that the application object, which
// sits below CWnd, can read its main window's handle.
class CWindowHandle {
public:
    CWindowHandle() = default;
    explicit CWindowHandle(HWND hwnd) : m_hWnd(hwnd) {}

    HWND GetSafeHwnd() const { return m_hWnd; }

protected:
    ~CWindowHandle() = default; // CWnd's destructor is the virtual one

    HWND m_hWnd = nullptr;
};
