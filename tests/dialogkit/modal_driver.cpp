#include "modal_driver.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
thread_local ModalDriver* t_driver = nullptr;
// A step may wait this long for its window: the first common file dialog of a run
// took more than 5 s in the 32-bit machine's emulation (shell start-up).
constexpr ULONGLONG kPatienceMs = 20000;

// Enumeration callbacks need the Windows calling convention, which a lambda lacks on i686.
BOOL CALLBACK CollectVisibleDialog(HWND hwnd, LPARAM data) {
    wchar_t className[16] = {};
    ::GetClassNameW(hwnd, className, 16);
    if (::IsWindowVisible(hwnd) && std::wstring(className) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectVisibleDialog,
                        reinterpret_cast<LPARAM>(&found));
    return found;
}
} // namespace

ModalDriver::ModalDriver(std::deque<Step> steps) : m_steps(std::move(steps)) {
    t_driver = this;
    m_lastProgress = ::GetTickCount64();
    m_timer = ::SetTimer(nullptr, 0, 20, &Tick);
}

ModalDriver::~ModalDriver() {
    ::KillTimer(nullptr, m_timer);
    t_driver = nullptr;
    // A dialog that never opened, or closed early, leaves steps that never ran.
    if (!m_steps.empty()) {
        ADD_FAILURE() << m_steps.size() << " step(s) never ran: the modal loop ended early";
    }
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* driver = t_driver;
    if (driver == nullptr)
        return;
    if (::GetTickCount64() - driver->m_lastProgress > kPatienceMs) {
        ADD_FAILURE() << "modal loop still running after " << driver->m_steps.size()
                      << " step(s) left; cancelling its dialogs";
        driver->m_steps.clear();
        for (HWND dialog : ThreadDialogs())
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        driver->m_lastProgress = ::GetTickCount64();
        return;
    }
    if (driver->m_steps.empty())
        return;
    // Taken off before it runs, so that a nested modal loop goes on with the next step.
    Step step = std::move(driver->m_steps.front());
    driver->m_steps.pop_front();
    if (step())
        driver->m_lastProgress = ::GetTickCount64();
    else
        driver->m_steps.push_front(std::move(step));
}

ModalDriver::Step Do(std::function<void()> action) {
    return [action = std::move(action)] {
        action();
        return true;
    };
}

ModalDriver::Step WaitFor(std::function<bool()> condition) {
    return condition;
}

HWND FindThreadDialog(const std::wstring& caption) {
    for (HWND dialog : ThreadDialogs()) {
        wchar_t text[256] = {};
        ::GetWindowTextW(dialog, text, 256);
        if (caption == text)
            return dialog;
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

void ClickButton(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
