#include "dialogkit/wnd.h"

#include "dialogkit/font.h"
#include "dialogkit/win_app.h"

#include <commctrl.h>

#include <algorithm>

namespace {
constexpr UINT_PTR kSubclassId = 1;
// The wrapper of a subclassed window, so that a parent can find its child's wrapper.
// (GetWindowSubclass would tell, but comctl32 exports it by ordinal only.)
constexpr wchar_t kWrapperProperty[] = L"dialogkit.CWnd";
} // namespace

CWnd::~CWnd() {
    UnsubclassWindow();
}

std::wstring CWnd::GetWindowText() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::SetFont(const CFont& font, bool redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), redraw ? TRUE : FALSE);
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

void CWnd::ScreenToClient(RECT& rect) const {
    POINT topLeft{rect.left, rect.top};
    POINT bottomRight{rect.right, rect.bottom};
    ::ScreenToClient(m_hWnd, &topLeft);
    ::ScreenToClient(m_hWnd, &bottomRight);
    rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CWnd::CenterWindow() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const RECT window = GetWindowRect();
    const RECT& work = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    // A window larger than the work area keeps its caption and left edge on screen.
    const int x = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    const int y = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::MoveWindow(const RECT& rect, bool repaint) {
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 repaint ? TRUE : FALSE);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    return true;
}

void CWnd::AttachControl(HWND control) {
    UnsubclassWindow();
    m_hWnd = control;
    PreSubclassWindow();
    if (!GetMessageMap().empty())
        SubclassWindow(control);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropW(hwnd, kWrapperProperty));
}

bool CWnd::OnWndMsg(const Message& message, LRESULT& result) {
    if (message.message == WM_COMMAND)
        return RunMapEntry(WM_COMMAND, LOWORD(message.wParam), HIWORD(message.wParam), message,
                           result);

    if (message.message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
        if (header == nullptr)
            return false;
        CWnd* control = FromHandlePermanent(header->hwndFrom);
        if (control != nullptr && control != this &&
            control->RunMapEntry(map_key::kReflected + WM_NOTIFY, 0, header->code, message, result))
            return true;
        return RunMapEntry(WM_NOTIFY, static_cast<UINT>(header->idFrom), header->code, message,
                           result);
    }

    if (IsCtlColorMessage(message.message)) {
        if (RunMapEntry(map_key::kCtlColor, 0, 0, message, result))
            return true;
        const auto child = reinterpret_cast<HWND>(message.lParam);
        const CWnd* control = FromHandlePermanent(child);
        if (control == nullptr ||
            control->FindMapEntry(map_key::kReflected + map_key::kCtlColor, 0, 0) == nullptr)
            return false;
        result = reinterpret_cast<LRESULT>(
            OnCtlColor(on::detail::ColourDc(message), child, on::detail::ColourKind(message)));
        return true;
    }

    return RunMapEntry(message.message, 0, 0, message, result);
}

LRESULT CWnd::DefaultProcessing(const Message& message) {
    // Only subclassed windows route messages here; dialogs override this.
    return ::DefSubclassProc(m_hWnd, message.message, message.wParam, message.lParam);
}

HBRUSH CWnd::OnCtlColor(HDC dc, HWND child, UINT ctlColorKind) {
    // The ordinary colours first, so that the control's own handler refines them.
    const auto brush = reinterpret_cast<HBRUSH>(Default());
    CWnd* control = FromHandlePermanent(child);
    if (control == nullptr)
        return brush;
    const Message request{WM_CTLCOLORMSGBOX + ctlColorKind, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(child)};
    LRESULT own = 0;
    if (control->RunMapEntry(map_key::kReflected + map_key::kCtlColor, 0, 0, request, own))
        return reinterpret_cast<HBRUSH>(own);
    return brush;
}

bool CWnd::Dispatch(const Message& message, LRESULT& result) noexcept {
    const Message outer = m_current;
    m_current = message;
    bool handled = false;
    try {
        handled = OnWndMsg(message, result);
    } catch (...) {
        ReportHandlerFailure();
    }
    m_current = outer;
    return handled;
}

bool CWnd::RunMapEntry(UINT key, UINT id, UINT code, const Message& message, LRESULT& result) {
    const MessageEntry* entry = FindMapEntry(key, id, code);
    return entry != nullptr && entry->thunk(*this, message, result);
}

const MessageEntry* CWnd::FindMapEntry(UINT key, UINT id, UINT code) const {
    for (const MessageEntry& entry : GetMessageMap())
        if (entry.message == key && entry.id == id && entry.code == code)
            return &entry;
    return nullptr;
}

void CWnd::SubclassWindow(HWND hwnd) {
    m_hWnd = hwnd;
    m_subclassed = ::SetWindowSubclass(hwnd, &SubclassProc, kSubclassId,
                                       reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    if (m_subclassed)
        ::SetPropW(hwnd, kWrapperProperty, this);
}

void CWnd::UnsubclassWindow() {
    if (m_subclassed && m_hWnd != nullptr) {
        ::RemovePropW(m_hWnd, kWrapperProperty);
        ::RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
    }
    m_subclassed = false;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    auto* wnd = reinterpret_cast<CWnd*>(data);
    if (message == WM_NCDESTROY) {
        // The window is going: no message may reach this object through it any more.
        wnd->UnsubclassWindow();
        wnd->m_hWnd = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (wnd->Dispatch(Message{message, wParam, lParam}, result))
        return result;
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}
