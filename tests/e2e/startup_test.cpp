#include "panel_fixture.h"

#include "config/settings_names.h"
#include "dialogkit/command_ids.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "testing/panel_driver/remote_list_view.h"
#include "testing/standin_harness/wait_until.h"
#include "tests/support/resource_file.h"

#include <commctrl.h>

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
    EXPECT_EQ(second.WaitForExit(ui::kUiPatience), DWORD{0});
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

// The display scale of the prefix, read by each program as it starts: the panel runs
// at this DPI, and the prefix is back at 96 after the scenario.
class DisplayScale : public PanelScenario, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &m_desktop, nullptr),
                  ERROR_SUCCESS);
        SetLogPixels(GetParam());
        m_dialogFont = CreateFontW(-MulDiv(8, GetParam(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg");
        m_statusFont = CreateFontW(Scaled(15), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                   0, 0, 0, FF_SWISS, L"Arial");
        PanelScenario::SetUp();
    }
    void TearDown() override {
        PanelScenario::TearDown();
        SetLogPixels(96);
        RegCloseKey(m_desktop);
        DeleteObject(m_dialogFont);
        DeleteObject(m_statusFont);
    }

    int Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, GetParam(), 96); }

    // Whether every button and label of the window, shown or not, has room for its whole
    // text in one line of the templates' font (the status line: of its own), or else
    // which has not.
    ::testing::AssertionResult TextFits(HWND window) const {
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t kind[16] = {};
            GetClassNameW(child, kind, 16);
            const bool label = lstrcmpiW(kind, L"Static") == 0 &&
                               (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
            if (!label && lstrcmpiW(kind, L"Button") != 0) {
                continue;
            }
            const std::wstring text = ui::Text(child);
            RECT client{};
            GetClientRect(child, &client);
            RECT needed{};
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old =
                SelectObject(dc, GetDlgCtrlID(child) == IDC_STATUS ? m_statusFont : m_dialogFont);
            DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
            SelectObject(dc, old);
            DeleteDC(dc);
            if (needed.right > client.right || needed.bottom > client.bottom) {
                return ::testing::AssertionFailure()
                       << "\"" << text << "\" needs " << needed.right << "x" << needed.bottom
                       << ", has " << client.right << "x" << client.bottom;
            }
        }
        return ::testing::AssertionSuccess();
    }

private:
    void SetLogPixels(int dpi) {
        const DWORD value = static_cast<DWORD>(dpi);
        RegSetValueExW(m_desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    }
    HKEY m_desktop = nullptr;
    // The templates' font and the status line's, at the scenario's DPI.
    HFONT m_dialogFont = nullptr;
    HFONT m_statusFont = nullptr;
};

TEST_P(DisplayScale, PixelSizesFollowTheScaleAndNoTextIsCut) {
    ASSERT_NE(StartPanel(), nullptr);
    HWND sheet = Sheet();
    HWND proxy = ProxyPage();
    EXPECT_EQ(ButtonOrigin(sheet, IDOK).x, Scaled(20));
    EXPECT_EQ(ButtonOrigin(sheet, IDHELP).x, Scaled(330));
    EXPECT_EQ(ButtonOrigin(sheet, IDCANCEL).x, Scaled(420));
    HWND list = GetDlgItem(proxy, IDC_RULE_LIST);
    EXPECT_EQ(ui::Send(list, LVM_GETCOLUMNWIDTH, 0, 0), Scaled(100));
    EXPECT_EQ(ui::Send(list, LVM_GETCOLUMNWIDTH, 1, 0), Scaled(120));
    EXPECT_EQ(ui::Send(list, LVM_GETCOLUMNWIDTH, 2, 0), Scaled(120));
    RECT frame{};
    GetWindowRect(sheet, &frame);
    if (GetParam() <= 144) {
        EXPECT_LE(frame.right - frame.left, 1366);
        EXPECT_LE(frame.bottom - frame.top, 768);
    }
    // The status font's letters grow with its 15-pixel cell.
    ASSERT_TRUE(WaitForColour(IDC_STATUS, kRed));
    const int letterRows = screen::CountRowsWith(GetDlgItem(proxy, IDC_STATUS), kRed);
    EXPECT_GE(letterRows, Scaled(15) * 3 / 5);
    EXPECT_LE(letterRows, Scaled(15));

    EXPECT_TRUE(TextFits(proxy));
    EXPECT_TRUE(TextFits(sheet));
    EXPECT_TRUE(TextFits(ShowLogPage()));
    ShowProxyPage();
    HWND editor = OpenNewRule();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(TextFits(editor));
    ASSERT_TRUE(ui::Click(editor, IDCANCEL));
    ASSERT_TRUE(ui::WaitUntilDialogGone(PanelId(), kNewRuleCaption));
    HWND about = OpenAboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(TextFits(about));
    EXPECT_TRUE(CloseAboutBox(PanelId()));

    // Moved to a monitor at twice the scale (Wine never moves it: the message is sent
    // as Windows sends it, its rectangle in the panel's memory), the pixel sizes follow.
    HANDLE panel = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, PanelId());
    ASSERT_NE(panel, nullptr);
    void* suggested = VirtualAllocEx(panel, nullptr, sizeof frame, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(suggested, nullptr);
    ASSERT_TRUE(WriteProcessMemory(panel, suggested, &frame, sizeof frame, nullptr));
    const auto twice = static_cast<WORD>(2 * GetParam());
    ui::Send(sheet, WM_DPICHANGED, MAKEWPARAM(twice, twice), reinterpret_cast<LPARAM>(suggested));
    EXPECT_EQ(ButtonOrigin(sheet, IDOK).x, Scaled(40));
    EXPECT_EQ(ButtonOrigin(sheet, IDCANCEL).x, Scaled(840));
    EXPECT_EQ(ui::Send(list, LVM_GETCOLUMNWIDTH, 0, 0), Scaled(200));
    EXPECT_EQ(ui::Send(list, LVM_GETCOLUMNWIDTH, 2, 0), Scaled(240));
    EXPECT_TRUE(WaitUntil(
        [&] { return screen::CountRowsWith(GetDlgItem(proxy, IDC_STATUS), kRed) > letterRows; },
        ui::kUiPatience));
    VirtualFreeEx(panel, suggested, 0, MEM_RELEASE);
    CloseHandle(panel);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DisplayScale, ::testing::Values(96, 144, 192));

} // namespace
