#include "panel_fixture.h"
#include "remote_list_view.h"

#include "config/settings_names.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"

#include <string>

// What the user sees when the panel starts, and when it refuses to.
namespace {

class Startup : public PanelScenario {};

using namespace std::chrono_literals;

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
