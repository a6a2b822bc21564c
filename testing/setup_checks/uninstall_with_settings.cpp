// Not a test itself: the 32-bit machine's setup job removes an installation with it
// as an administrator does in the uninstall wizard with "Settings and log" ticked
// (silent removal always keeps them):
//   uninstall_with_settings UNINSTALLER FOLDER
// It runs the uninstaller in place (_?=FOLDER), passes the confirmation page, ticks
// the one choice on the components page, removes and closes; it answers the
// uninstaller's exit code, or 2 when the wizard did not go as expected.
#include "testing/panel_driver/child_process.h"
#include "testing/panel_driver/ui_driver.h"
#include "testing/standin_harness/wait_until.h"

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kWizardCaption[] = L"Tarnlink Uninstall";
// The wizard's own Next/Uninstall/Close button, and its components page's tree.
constexpr int kNextButton = IDOK;
constexpr int kComponentsTree = 1032;
constexpr auto kRemovalPatience = 120s;

// Says why, with what the uninstaller shows instead, and answers 2.
int Fail(const char* why, DWORD processId = 0) {
    std::printf("uninstall_with_settings: %s\n", why);
    for (HWND window : ui::DialogsOf(processId)) {
        std::printf("  it shows \"%ls\"\n", ui::Text(window).c_str());
    }
    const ui::MessageBoxSeen box = ui::WaitForMessageBox(processId, std::chrono::milliseconds(0));
    if (box.window != nullptr) {
        std::printf("  with the message \"%ls\"\n", box.text.c_str());
    }
    return 2;
}

HWND ComponentsTree(HWND wizard) {
    HWND tree = nullptr;
    WaitUntil(
        [&] {
            HWND page = ui::PageWithControl(wizard, kComponentsTree);
            tree = page != nullptr ? GetDlgItem(page, kComponentsTree) : nullptr;
            return tree != nullptr && IsWindowVisible(tree);
        },
        ui::kUiPatience);
    return tree;
}

// The wizard's caption goes on after its name with what each page adds.
HWND Wizard(DWORD processId) {
    HWND wizard = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : ui::DialogsOf(processId)) {
                if (ui::Text(dialog).starts_with(kWizardCaption)) {
                    wizard = dialog;
                    return true;
                }
            }
            return false;
        },
        kRemovalPatience);
    return wizard;
}

std::wstring ButtonText(HWND wizard) {
    return ui::Text(GetDlgItem(wizard, kNextButton));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return Fail("usage: uninstall_with_settings UNINSTALLER FOLDER");
    }
    CChildProcess uninstaller;
    if (uninstaller.Start(argv[1], std::string("_?=") + argv[2]) != 0) {
        return Fail("the uninstaller did not start");
    }
    HWND wizard = Wizard(uninstaller.Id());
    if (wizard == nullptr || !ui::Click(wizard, kNextButton)) {
        return Fail("no confirmation page", uninstaller.Id());
    }
    HWND tree = ComponentsTree(wizard);
    if (tree == nullptr) {
        return Fail("no components page", uninstaller.Id());
    }
    // The wizard toggles the selected choice on Space, as for a user at the keyboard.
    const LPARAM item = ui::Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    ui::Send(tree, TVM_SELECTITEM, TVGN_CARET, item);
    const LRESULT before =
        ui::Send(tree, TVM_GETITEMSTATE, static_cast<WPARAM>(item), TVIS_STATEIMAGEMASK);
    PostMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
    const bool ticked = WaitUntil(
        [&] {
            return ui::Send(tree, TVM_GETITEMSTATE, static_cast<WPARAM>(item),
                            TVIS_STATEIMAGEMASK) != before;
        },
        ui::kUiPatience);
    if (!ticked || !ui::Click(wizard, kNextButton)) {
        return Fail("the choice could not be ticked", uninstaller.Id());
    }
    // The button turns into Close when the removal has ended.
    if (!WaitUntil(
            [&] {
                return ButtonText(wizard).find(L"Close") != std::wstring::npos &&
                       ui::IsEnabled(wizard, kNextButton);
            },
            kRemovalPatience) ||
        !ui::Click(wizard, kNextButton)) {
        return Fail("the removal did not end", uninstaller.Id());
    }
    const auto exitCode = uninstaller.WaitForExit(kRemovalPatience);
    return exitCode ? static_cast<int>(*exitCode) : Fail("the uninstaller did not end");
}
