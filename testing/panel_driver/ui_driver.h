#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

// Drives another process's windows the way a user would, through window messages.
// Everything that waits is bounded; clicks are posted, so that a click that opens a
// modal box never blocks the driver.
namespace ui {

// How long a window may take to appear or change after an action.
inline constexpr std::chrono::milliseconds kUiPatience{10000};

// SendMessage that gives up after a few seconds, so a hung panel fails the
// scenario instead of hanging the driver; 0 when it gave up.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Visible top-level dialog windows (class "#32770") of the process.
std::vector<HWND> DialogsOf(DWORD processId);
// The visible top-level dialog of the process with this caption, waiting up to timeout;
// nullptr when none appeared.
HWND WaitForDialog(DWORD processId, const std::wstring& caption,
                   std::chrono::milliseconds timeout = kUiPatience);
// True when no visible dialog of the process has this caption any more, within timeout.
bool WaitUntilDialogGone(DWORD processId, const std::wstring& caption,
                         std::chrono::milliseconds timeout = kUiPatience);

// A message box: its window, caption and text.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};
// The first message box of the process to appear within timeout; window is nullptr
// when none did.
MessageBoxSeen WaitForMessageBox(DWORD processId, std::chrono::milliseconds timeout = kUiPatience);
// Presses one of its buttons (IDOK, IDYES, IDNO, IDCANCEL) and waits until it is gone.
bool Answer(const MessageBoxSeen& box, int buttonId);

std::wstring Text(HWND window);
std::wstring ControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::wstring& text);
bool IsVisible(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
// Waits until the control shows this text.
bool WaitForText(HWND dialog, int id, const std::wstring& text,
                 std::chrono::milliseconds timeout = kUiPatience);

// Clicks a button of a dialog as the user does; false when it is missing, hidden or
// disabled, as a user could not press it either.
bool Click(HWND dialog, int id);
// Sets an IP address control to an address packed with the first field high.
void SetIpAddress(HWND dialog, int id, std::uint32_t address);

// The window with the keyboard focus in the thread that owns this window; nullptr
// when none of its windows has it.
HWND FocusOf(HWND window);
// Types a key on the keyboard (with Shift held when asked) into the top-level window
// of this one, brought to the front first as the user's click on it would; false
// when it could not be brought there or the input was refused.
bool PressKey(HWND window, WORD key, bool withShift = false);

// The property sheet's page that holds a control with this id.
HWND PageWithControl(HWND sheet, int id);
// Selects a page of the sheet by position, as a click on its tab does.
void SelectPage(HWND sheet, int index);
HWND ActivePage(HWND sheet);

} // namespace ui
