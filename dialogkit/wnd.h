#pragma once

#include "dialogkit/message_map.h"
#include "dialogkit/window_handle.h"

#include <windows.h>

#include <string>

#ifndef UNICODE
#error "dialogkit is UTF-16 only: build with UNICODE defined"
#endif

class CFont;

// A window that this object does not own. Plain wrappers only forward calls; windows
// that route messages to a message map are the dialogs, the property sheet and the
// controls attached with DDX_Control that have a map of their own.
//
// Some member names are also Win32 macros (SetWindowText, GetWindowText, SendMessage...).
// With UNICODE defined everywhere they turn into the ...W names in declarations and
// calls alike; the framework itself calls the Win32 functions as ::...W.
class CWnd : public CWindowHandle {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : CWindowHandle(hwnd) {}
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }

    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }

    void EnableWindow(bool enable = true) { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    void ShowWindow(int command) { ::ShowWindow(m_hWnd, command); }
    // Invalidates, erases and repaints the whole window now.
    void RedrawWindow() {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    }
    void SetFont(const CFont& font, bool redraw = true);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }

    // WM_TIMER with this id arrives every `milliseconds` until the window ends.
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) {
        return ::SetTimer(m_hWnd, id, milliseconds, nullptr);
    }

    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    void ScreenToClient(RECT& rect) const;
    void MoveWindow(const RECT& rect, bool repaint = true);
    // Centres the window on the work area of the monitor it is on (or nearest to).
    void CenterWindow();
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }

    // Answers whether the style changed.
    bool ModifyStyle(DWORD remove, DWORD add);
    HMENU GetSystemMenu(bool revert) const {
        return ::GetSystemMenu(m_hWnd, revert ? TRUE : FALSE);
    }

    // Called by DDX_Control: wraps the dialog's control and, when this class has a message
    // map, subclasses it so that reflected messages and its own messages reach the map.
    void AttachControl(HWND control);

protected:
    // Runs once each time a control window is attached, before it is subclassed.
    virtual void PreSubclassWindow() {}

    // The rows this class handles. No rows by default.
    virtual MessageMap GetMessageMap() const { return {}; }

    // Routes one message: map rows, reflection to child wrappers, colour requests.
    // Answers false to leave the message to the window's default processing.
    virtual bool OnWndMsg(const Message& message, LRESULT& result);

    // The default processing of the message being routed now.
    LRESULT Default() { return DefaultProcessing(m_current); }
    virtual LRESULT DefaultProcessing(const Message& message);

    // The ordinary answer to WM_CTLCOLOR*: the default colours and brush, then the child's
    // reflected colour handler, whose brush wins when it gives one. Only while routing
    // that WM_CTLCOLOR* message.
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlColorKind);

    // Runs OnWndMsg with `message` as the current message. Exceptions stop here.
    bool Dispatch(const Message& message, LRESULT& result) noexcept;

    // Runs the map row for (key, id, code); false when there is none or it declined.
    bool RunMapEntry(UINT key, UINT id, UINT code, const Message& message, LRESULT& result);

    // Routes the messages of `hwnd`, which this object does not own, through its map.
    void SubclassWindow(HWND hwnd);

private:
    void UnsubclassWindow();
    const MessageEntry* FindMapEntry(UINT key, UINT id, UINT code) const;
    // The wrapper that routes `hwnd`'s messages, or nullptr.
    static CWnd* FromHandlePermanent(HWND hwnd);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);

    Message m_current{};
    bool m_subclassed = false;
};
