#include "panel_fixture.h"
#include "remote_list_view.h"

#include "config/settings_names.h"
#include "dialogkit/command_ids.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "testing/standin_harness/wait_until.h"
#include "tests/support/resource_file.h"

#include <string>

// What the user sees when the panel starts, and when it refuses to.
namespace {

class Startup : public PanelScenario {};

using namespace std::chrono_literals;

constexpr wchar_t kAboutCaption[] = L"About Tarnlink";
// A menu's frame, left out when its separator lines are counted.
constexpr int kMenuFrame = 4;

// A button's top-left corner in the sheet's client pixels.
POINT ButtonOrigin(HWND sheet, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(sheet, id), &rect);
    POINT origin{rect.left, rect.top};
    ScreenToClient(sheet, &origin);
    return origin;
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<MenuSearch*>(data);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && lstrcmpW(name, L"#32768") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Opens the sheet's system menu as Alt+Space does; its window once it is on the screen,
// or nullptr. Another process cannot read the menu's entries, so the scenario looks at
// the drawn menu and finds entries with the keys a user presses while it is open.
HWND OpenSystemMenu(DWORD processId, HWND sheet) {
    PostMessageW(sheet, WM_SYSCOMMAND, SC_KEYMENU, L' ');
    MenuSearch search{processId, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(&FindMenuWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ui::kUiPatience, 50ms);
    return search.found;
}

// The separators of a default system menu, as a window of this process with the sheet's
// frame gets it: the panel's must have one more, the one before its About entry.
int DefaultSystemMenuSeparators() {
    HWND own = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100,
                               100, nullptr, nullptr, nullptr, nullptr);
    HMENU menu = GetSystemMenu(own, FALSE);
    int separators = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) &&
            (info.fType & MFT_SEPARATOR) != 0) {
            ++separators;
        }
    }
    DestroyWindow(own);
    return separators;
}

bool CloseAboutBox(DWORD processId) {
    HWND about = ui::WaitForDialog(processId, kAboutCaption);
    return about != nullptr && ui::Click(about, IDOK) &&
           ui::WaitUntilDialogGone(processId, kAboutCaption);
}

TEST_F(Startup, WithNoSettingsShowsAnOfflineServerAnEmptyListAndTheDefaultLogPath) {
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(ui::ActivePage(Sheet()), proxy);

    // Centred on the work area of its monitor, as a sheet without a parent is.
    RECT window{};
    ASSERT_TRUE(GetWindowRect(Sheet(), &window));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(Sheet(), MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
    EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartButton), true,
                                   std::wstring(texts::kServerOffline)));
    EXPECT_TRUE(WaitForColour(IDC_STATUS, kRed));
    EXPECT_FALSE(ui::IsVisible(proxy, IDC_NOTE));

    CRemoteListView list(GetDlgItem(proxy, IDC_RULE_LIST));
    ASSERT_TRUE(list.IsReady());
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.ColumnTitle(0), texts::kColumnName);
    EXPECT_EQ(list.ColumnTitle(1), texts::kColumnSource);
    EXPECT_EQ(list.ColumnTitle(2), texts::kColumnDestination);

    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(
        ui::WaitForText(log, IDC_LOG_PATH, PanelFolder() + Widen(settings::kDefaultLogFileName)));
    EXPECT_FALSE(SettingsExist()) << "nothing is written until the user saves";
}

TEST_F(Startup, SheetHasItsIconButtonRowMinimizeBoxAndTheAboutEntryLastInTheSystemMenu) {
    ASSERT_NE(StartPanel(), nullptr);
    HWND sheet = Sheet();
    // The program's own 16 x 16 image in the caption, not the 32 x 32 one shrunk nor the
    // default icon. (Wine answers WM_GETICON from another process with nothing, so the
    // big icon is not checked here.)
    const CResourceFile program(ShippedProgramPath(kPanelProgram));
    const int smallSize = GetSystemMetrics(SM_CXSMICON);
    HICON small = program.Icon(IDR_MAINFRAME, smallSize);
    EXPECT_TRUE(WaitUntil([&] { return screen::TitleBarShowsIcon(sheet, small, smallSize); },
                          ui::kUiPatience));
    DestroyIcon(small);

    EXPECT_FALSE(ui::IsVisible(sheet, ID_APPLY_NOW));
    EXPECT_TRUE(ui::IsVisible(sheet, IDHELP));
    EXPECT_TRUE(ui::IsEnabled(sheet, IDHELP));
    const POINT ok = ButtonOrigin(sheet, IDOK);
    const POINT help = ButtonOrigin(sheet, IDHELP);
    const POINT cancel = ButtonOrigin(sheet, IDCANCEL);
    EXPECT_EQ(ok.x, 20);
    EXPECT_EQ(help.x, 330);
    EXPECT_EQ(cancel.x, 420);
    EXPECT_EQ(help.y, ok.y);
    EXPECT_EQ(cancel.y, ok.y);
    EXPECT_NE(GetWindowLongW(sheet, GWL_STYLE) & WS_MINIMIZEBOX, 0);

    // The system menu gains a separator, drawn as a line across it, and the About entry
    // comes last.
    HWND menu = OpenSystemMenu(PanelId(), sheet);
    ASSERT_NE(menu, nullptr);
    const int separators = DefaultSystemMenuSeparators() + 1;
    EXPECT_TRUE(WaitUntil(
        [&] {
            return screen::CountLines(menu, GetSysColor(COLOR_BTNSHADOW), kMenuFrame) == separators;
        },
        ui::kUiPatience))
        << screen::CountLines(menu, GetSysColor(COLOR_BTNSHADOW), kMenuFrame) << " lines";
    PostMessageW(sheet, WM_KEYDOWN, VK_END, 0);
    PostMessageW(sheet, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(CloseAboutBox(PanelId()));
    EXPECT_TRUE(IsWindowVisible(sheet));
}

TEST_F(Startup, ASecondCopyInTheSameLogonSaysAnotherInstanceRunsAndEnds) {
    ASSERT_NE(StartPanel(), nullptr);
    CChildProcess second;
    ASSERT_EQ(second.Start(m_install.PathOf(kPanelProgram)), 0u);
    const ui::MessageBoxSeen box = ui::WaitForMessageBox(second.Id());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, texts::kAnotherInstance.text);
    EXPECT_EQ(box.caption, texts::kAnotherInstance.caption);
    EXPECT_TRUE(ui::Answer(box, IDOK));
    EXPECT_TRUE(second.WaitForExit(ui::kUiPatience).has_value());
    EXPECT_TRUE(m_panel.IsRunning());
    EXPECT_TRUE(IsWindowVisible(Sheet()));
}

TEST_F(Startup, WithoutTheServiceSaysCouldNotOpenWith1060AndExitsWithThatCode) {
    ASSERT_TRUE(m_install.Unregister());
    ASSERT_EQ(m_panel.Start(m_install.PathOf(kPanelProgram)), 0u);
    const ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId(), 30s);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"Could not open Tarnlink Service, error = 1060");
    EXPECT_EQ(box.caption, kPanelName);
    EXPECT_TRUE(ui::Answer(box, IDOK));
    // The exit code tells whoever started the panel why it ended.
    EXPECT_EQ(m_panel.WaitForExit(ui::kUiPatience), DWORD{1060});
    EXPECT_FALSE(SettingsExist());
}

} // namespace
