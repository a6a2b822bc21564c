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

template <auto Handler> bool NoArguments(CWnd& wnd, const Message&, LRESULT&) {
    (Target<Handler>(wnd).*Handler)();
    return true;
}

template <auto Handler> bool NotifyHandler(CWnd& wnd, const Message& message, LRESULT& result) {
    LRESULT answer = 0;
    (Target<Handler>(wnd).*Handler)(reinterpret_cast<NMHDR*>(message.lParam), &answer);
    result = answer;
    return true;
}

template <auto Handler> bool TimerHandler(CWnd& wnd, const Message& message, LRESULT&) {
    (Target<Handler>(wnd).*Handler)(static_cast<UINT_PTR>(message.wParam));
    return true;
}

template <auto Handler> bool SysCommandHandler(CWnd& wnd, const Message& message, LRESULT&) {
    (Target<Handler>(wnd).*Handler)(static_cast<UINT>(message.wParam), message.lParam);
    return true;
}

template <auto Handler> bool QueryDragIconHandler(CWnd& wnd, const Message&, LRESULT& result) {
    HICON icon = (Target<Handler>(wnd).*Handler)();
    result = reinterpret_cast<LRESULT>(icon);
    return true;
}

template <auto Handler> bool CreateHandler(CWnd& wnd, const Message& message, LRESULT& result) {
    result = (Target<Handler>(wnd).*Handler)(reinterpret_cast<CREATESTRUCTW*>(message.lParam));
    return true;
}

template <auto Handler> bool HelpInfoHandler(CWnd& wnd, const Message& message, LRESULT& result) {
    const bool done = (Target<Handler>(wnd).*Handler)(reinterpret_cast<HELPINFO*>(message.lParam));
    result = done ? TRUE : FALSE;
    return true;
}

inline HDC ColourDc(const Message& message) {
    return reinterpret_cast<HDC>(message.wParam);
}
inline UINT ColourKind(const Message& message) {
    return message.message - WM_CTLCOLORMSGBOX;
}

template <auto Handler> bool CtlColorHandler(CWnd& wnd, const Message& message, LRESULT& result) {
    HBRUSH brush = (Target<Handler>(wnd).*Handler)(
        ColourDc(message), reinterpret_cast<HWND>(message.lParam), ColourKind(message));
    result = reinterpret_cast<LRESULT>(brush);
    return true;
}

// A reflected colour handler that answers no brush leaves the background to the parent.
template <auto Handler>
bool CtlColorReflectHandler(CWnd& wnd, const Message& message, LRESULT& result) {
    HBRUSH brush = (Target<Handler>(wnd).*Handler)(ColourDc(message), ColourKind(message));
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

} // namespace detail

// void Handler() -- a menu, accelerator or sent command (notification code 0).
template <auto Handler> constexpr MessageEntry Command(UINT id) {
    return {WM_COMMAND, id, 0, &detail::NoArguments<Handler>};
}

// void Handler() -- a click on the button with this id.
template <auto Handler> constexpr MessageEntry ButtonClicked(UINT id) {
    return {WM_COMMAND, id, BN_CLICKED, &detail::NoArguments<Handler>};
}

// void Handler(NMHDR*, LRESULT* answer) -- WM_NOTIFY from the child with this id.
template <auto Handler> constexpr MessageEntry Notify(UINT id, UINT code) {
    return {WM_NOTIFY, id, code, &detail::NotifyHandler<Handler>};
}

// void Handler(NMHDR*, LRESULT* answer) -- on a control: its own WM_NOTIFY, handed back by
// the parent. The parent's map does not see it.
template <auto Handler> constexpr MessageEntry NotifyReflect(UINT code) {
    return {map_key::kReflected + WM_NOTIFY, 0, code, &detail::NotifyHandler<Handler>};
}

// HBRUSH Handler(HDC, UINT ctlColorKind) -- on a control: the colour request its parent
// received for it. Answer nullptr to keep the parent's background brush; the colours set
// on the HDC are kept either way.
template <auto Handler> constexpr MessageEntry CtlColorReflect() {
    return {map_key::kReflected + map_key::kCtlColor, 0, 0,
            &detail::CtlColorReflectHandler<Handler>};
}

// HBRUSH Handler(HDC, HWND child, UINT ctlColorKind) -- any WM_CTLCOLOR* of this window.
// CWnd::OnCtlColor is the ordinary handling, with reflection to the child.
template <auto Handler> constexpr MessageEntry CtlColor() {
    return {map_key::kCtlColor, 0, 0, &detail::CtlColorHandler<Handler>};
}

// void Handler(UINT_PTR timerId)
template <auto Handler> constexpr MessageEntry Timer() {
    return {WM_TIMER, 0, 0, &detail::TimerHandler<Handler>};
}

// void Handler(UINT command, LPARAM)
template <auto Handler> constexpr MessageEntry SysCommand() {
    return {WM_SYSCOMMAND, 0, 0, &detail::SysCommandHandler<Handler>};
}

// void Handler()
template <auto Handler> constexpr MessageEntry Paint() {
    return {WM_PAINT, 0, 0, &detail::NoArguments<Handler>};
}

// HICON Handler()
template <auto Handler> constexpr MessageEntry QueryDragIcon() {
    return {WM_QUERYDRAGICON, 0, 0, &detail::QueryDragIconHandler<Handler>};
}

// int Handler(CREATESTRUCTW*) -- 0 to go on, -1 to fail the creation.
template <auto Handler> constexpr MessageEntry Create() {
    return {WM_CREATE, 0, 0, &detail::CreateHandler<Handler>};
}

// bool Handler(HELPINFO*) -- the F1 key. CWnd::OnHelpInfo is the ordinary handling.
template <auto Handler> constexpr MessageEntry HelpInfo() {
    return {WM_HELP, 0, 0, &detail::HelpInfoHandler<Handler>};
}

} // namespace on
