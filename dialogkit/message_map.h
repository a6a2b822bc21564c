#pragma once

#include <windows.h>
#include <commctrl.h>

#include <span>

class CWnd;

// One window message as it arrived.
struct Message {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;

    bool operator==(const Message&) const = default;
};

// Runs one handler. Answers false when the handler declined the message.
using MessageThunk = bool (*)(CWnd& target, const Message& message, LRESULT& result);

// One row of a message map: (message, control id, notification code) -> handler.
// A class lists its rows with the makers in namespace `on`, for example
//     on::ButtonClicked<&CMyDlg::OnStart>(1007),
//     on::Notify<&CMyDlg::OnItemChanged>(1002, LVN_ITEMCHANGED),
//     on::Timer<&CMyDlg::OnTimer>(),
// and returns them from its GetMessageMap override.
struct MessageEntry {
    UINT message;
    UINT id;
    UINT code;
    MessageThunk thunk;
};

using MessageMap = std::span<const MessageEntry>;

// Row keys that stand for more than one real message. They are never sent.
namespace map_key {
// Added to a message that the parent hands back to the child control it came from.
inline constexpr UINT kReflected = 0x10000;
// Any of WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC; handlers get the CTLCOLOR_* kind.
inline constexpr UINT kCtlColor = 0x20000;
} // namespace map_key

inline bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

namespace on {
namespace detail {

template <class> struct MemberOf;
template <class Class, class Function> struct MemberOf<Function Class::*> { using type = Class; };

// The object whose member Handler is; the map belongs to that class, so the cast holds.
template <auto Handler> auto& Target(CWnd& wnd) {
    return static_cast<typename MemberOf<decltype(Handler)>::type&>(wnd);
}

inline HDC ColourDc(const Message& message) {
    return reinterpret_cast<HDC>(message.wParam);
}
inline UINT ColourKind(const Message& message) {
    return message.message - WM_CTLCOLORMSGBOX;
}

} // namespace detail

// Each maker below builds its row's thunk as a lambda without captures, one per handler:
// it unpacks the message into the handler's arguments and its answer into `result`.

// void Handler() -- a menu, accelerator or sent command (notification code 0).
template <auto Handler> constexpr MessageEntry Command(UINT id) {
    return {WM_COMMAND, id, 0, [](CWnd& wnd, const Message&, LRESULT&) {
                (detail::Target<Handler>(wnd).*Handler)();
                return true;
            }};
}

// void Handler() -- a click on the button with this id.
template <auto Handler> constexpr MessageEntry ButtonClicked(UINT id) {
    return {WM_COMMAND, id, BN_CLICKED, Command<Handler>(id).thunk};
}

// void Handler(NMHDR*, LRESULT* answer) -- WM_NOTIFY from the child with this id.
template <auto Handler> constexpr MessageEntry Notify(UINT id, UINT code) {
    return {WM_NOTIFY, id, code, [](CWnd& wnd, const Message& message, LRESULT& result) {
                LRESULT answer = 0;
                (detail::Target<Handler>(wnd).*Handler)(reinterpret_cast<NMHDR*>(message.lParam),
                                                        &answer);
                result = answer;
                return true;
            }};
}

// void Handler(NMHDR*, LRESULT* answer) -- on a control: its own WM_NOTIFY, handed back by
// the parent. The parent's map does not see it.
template <auto Handler> constexpr MessageEntry NotifyReflect(UINT code) {
    return {map_key::kReflected + WM_NOTIFY, 0, code, Notify<Handler>(0, code).thunk};
}

// HBRUSH Handler(HDC, UINT ctlColorKind) -- on a control: the colour request its parent
// received for it. Answer nullptr to keep the parent's background brush; the colours set
// on the HDC are kept either way.
template <auto Handler> constexpr MessageEntry CtlColorReflect() {
    return {map_key::kReflected + map_key::kCtlColor, 0, 0,
            [](CWnd& wnd, const Message& message, LRESULT& result) {
                HBRUSH brush = (detail::Target<Handler>(wnd).*Handler)(detail::ColourDc(message),
                                                                       detail::ColourKind(message));
                result = reinterpret_cast<LRESULT>(brush);
                return brush != nullptr;
            }};
}

// HBRUSH Handler(HDC, HWND child, UINT ctlColorKind) -- any WM_CTLCOLOR* of this window.
// CWnd::OnCtlColor is the ordinary handling, with reflection to the child.
template <auto Handler> constexpr MessageEntry CtlColor() {
    return {map_key::kCtlColor, 0, 0, [](CWnd& wnd, const Message& message, LRESULT& result) {
                HBRUSH brush = (detail::Target<Handler>(wnd).*Handler)(
                    detail::ColourDc(message), reinterpret_cast<HWND>(message.lParam),
                    detail::ColourKind(message));
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }};
}

// void Handler(UINT_PTR timerId)
template <auto Handler> constexpr MessageEntry Timer() {
    return {WM_TIMER, 0, 0, [](CWnd& wnd, const Message& message, LRESULT&) {
                (detail::Target<Handler>(wnd).*Handler)(static_cast<UINT_PTR>(message.wParam));
                return true;
            }};
}

// void Handler(UINT command, LPARAM)
template <auto Handler> constexpr MessageEntry SysCommand() {
    return {WM_SYSCOMMAND, 0, 0, [](CWnd& wnd, const Message& message, LRESULT&) {
                (detail::Target<Handler>(wnd).*Handler)(static_cast<UINT>(message.wParam),
                                                        message.lParam);
                return true;
            }};
}

// void Handler(unsigned dpi, const RECT& suggested) -- the window moved to a monitor
// with another scale; suggested is where the window should be now, in screen pixels.
template <auto Handler> constexpr MessageEntry DpiChanged() {
    return {WM_DPICHANGED, 0, 0, [](CWnd& wnd, const Message& message, LRESULT& result) {
                (detail::Target<Handler>(wnd).*Handler)(HIWORD(message.wParam),
                                                        *reinterpret_cast<RECT*>(message.lParam));
                result = 0;
                return true;
            }};
}

// void Handler()
template <auto Handler> constexpr MessageEntry Paint() {
    return {WM_PAINT, 0, 0, Command<Handler>(0).thunk};
}

// HICON Handler()
template <auto Handler> constexpr MessageEntry QueryDragIcon() {
    return {WM_QUERYDRAGICON, 0, 0, [](CWnd& wnd, const Message&, LRESULT& result) {
                result = reinterpret_cast<LRESULT>((detail::Target<Handler>(wnd).*Handler)());
                return true;
            }};
}

// int Handler(CREATESTRUCTW*) -- 0 to go on, -1 to fail the creation.
template <auto Handler> constexpr MessageEntry Create() {
    return {WM_CREATE, 0, 0, [](CWnd& wnd, const Message& message, LRESULT& result) {
                result = (detail::Target<Handler>(wnd).*
                          Handler)(reinterpret_cast<CREATESTRUCTW*>(message.lParam));
                return true;
            }};
}

// bool Handler(HELPINFO*) -- the F1 key.
template <auto Handler> constexpr MessageEntry HelpInfo() {
    return {WM_HELP, 0, 0, [](CWnd& wnd, const Message& message, LRESULT& result) {
                const bool done = (detail::Target<Handler>(wnd).*
                                   Handler)(reinterpret_cast<HELPINFO*>(message.lParam));
                result = done ? TRUE : FALSE;
                return true;
            }};
}

} // namespace on
