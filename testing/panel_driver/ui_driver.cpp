#include "testing/panel_driver/ui_driver.h"

#include "testing/standin_harness/wait_until.h"

#include <commctrl.h>
#include <prsht.h>

namespace ui {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kDialogClass[] = L"#32770";
// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;
constexpr UINT kSendTimeoutMs = 5000;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ProcessWindows*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassOf(window) == kDialogClass) {
        search->found.push_back(window);
    }
    return TRUE;
}

bool IsMessageBox(HWND dialog) {
    // Labels of our own dialogs share the text's id (-1 as a 16-bit id), but no
    // message box has an edit field or a page.
    HWND text = GetDlgItem(dialog, kMessageTextId);
    return text != nullptr && ClassOf(text) == L"Static" &&
           FindWindowExW(dialog, nullptr, L"Edit", nullptr) == nullptr &&
           FindWindowExW(dialog, nullptr, kDialogClass, nullptr) == nullptr;
}

} // namespace

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::vector<HWND> DialogsOf(DWORD processId) {
    ProcessWindows search{processId, {}};
    EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(DWORD processId, const std::wstring& caption,
                   std::chrono::milliseconds timeout) {
    HWND result = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : DialogsOf(processId)) {
                if (Text(dialog) == caption && !IsMessageBox(dialog)) {
                    result = dialog;
                    return true;
                }
            }
            return false;
        },
        timeout, 50ms);
    return result;
}

bool WaitUntilDialogGone(DWORD processId, const std::wstring& caption,
                         std::chrono::milliseconds timeout) {
    return WaitUntil(
        [&] {
            for (HWND dialog : DialogsOf(processId)) {
                if (Text(dialog) == caption) {
                    return false;
                }
            }
            return true;
        },
        timeout, 50ms);
}

MessageBoxSeen WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout) {
    MessageBoxSeen seen;
    WaitUntil(
        [&] {
            for (HWND dialog : DialogsOf(processId)) {
                if (IsMessageBox(dialog)) {
                    seen = {dialog, Text(dialog), ControlText(dialog, kMessageTextId)};
                    return true;
                }
            }
            return false;
        },
        timeout, 50ms);
    return seen;
}

bool Answer(const MessageBoxSeen& box, int buttonId) {
    if (box.window == nullptr || GetDlgItem(box.window, buttonId) == nullptr) {
        return false;
    }
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    return WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); },
                     kUiPatience, 50ms);
}

std::wstring Text(HWND window) {
    const auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied =
        Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? Text(control) : std::wstring();
}

void SetControlText(HWND dialog, int id, const std::wstring& text) {
    Send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsVisible(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowVisible(control);
}

bool IsEnabled(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr && IsWindowEnabled(control);
}

bool WaitForText(HWND dialog, int id, const std::wstring& text, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return ControlText(dialog, id) == text; }, timeout, 50ms);
}

bool Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowVisible(button) || !IsWindowEnabled(button)) {
        return false;
    }
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != FALSE;
}

void SetIpAddress(HWND dialog, int id, std::uint32_t address) {
    Send(GetDlgItem(dialog, id), IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool PressKey(HWND window, WORD key, bool withShift) {
    HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    if (!WaitUntil([&] { return GetForegroundWindow() == top; }, kUiPatience, 50ms)) {
        return false;
    }
    std::vector<INPUT> strokes;
    const auto add = [&](WORD virtualKey, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        strokes.push_back(input);
    };
    if (withShift) {
        add(VK_SHIFT, 0);
    }
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (withShift) {
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    }
    return SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT)) ==
           strokes.size();
}

HWND PageWithControl(HWND sheet, int id) {
    for (HWND child = FindWindowExW(sheet, nullptr, kDialogClass, nullptr); child != nullptr;
         child = FindWindowExW(sheet, child, kDialogClass, nullptr)) {
        if (GetDlgItem(child, id) != nullptr) {
            return child;
        }
    }
    return nullptr;
}

void SelectPage(HWND sheet, int index) {
    Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

HWND ActivePage(HWND sheet) {
    return reinterpret_cast<HWND>(Send(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

} // namespace ui
