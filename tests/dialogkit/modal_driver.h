#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

// Runs test steps from inside whatever modal loop runs next (DoModal, a message box, a
// file dialog): one step per tick of a thread timer, so that the loop handles what each
// step posted before the next one runs. A step answers false to be run again at the
// next tick. Steps may open a nested modal loop; later steps then run inside it.
// If no step completes for a while, the test fails and every dialog of the thread is
// cancelled, so that a broken test ends instead of hanging; steps left when the driver
// ends fail the test too.
class ModalDriver {
public:
    using Step = std::function<bool()>;

    explicit ModalDriver(std::deque<Step> steps);
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;
    ~ModalDriver();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::deque<Step> m_steps;
    UINT_PTR m_timer = 0;
    ULONGLONG m_lastProgress = 0;
};

// A step that always completes (it may use ASSERT_ to stop early).
ModalDriver::Step Do(std::function<void()> action);
// A step that waits until the condition holds.
ModalDriver::Step WaitFor(std::function<bool()> condition);

// A visible top-level dialog window of this thread with this caption, or nullptr.
HWND FindThreadDialog(const std::wstring& caption);
// The text of a message box.
std::wstring MessageBoxText(HWND box);
// Presses a dialog's button the way a click does.
void ClickButton(HWND dialog, int id);
