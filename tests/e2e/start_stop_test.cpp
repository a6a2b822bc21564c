#include "panel_fixture.h"
#include "settings_text.h"

#include "config/rules.h"
#include "config/settings_names.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"
#include "testing/standin_harness/wait_until.h"
#include "testing/standin_proxy/behaviour.h"
#include "testing/standin_proxy/log_lines.h"
#include "tests/support/make_rule.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

// Starting and stopping the stand-in service from the Proxy page.
namespace {

class StartStop : public PanelScenario {};

using namespace std::chrono_literals;
using settings_text::MainSection;
using settings_text::RuleSection;

// The service must report running within the panel's 20 ticks of 500 ms.
constexpr auto kServiceChange = 15s;
// The Log page appends what the service wrote within half a second; Wine gets a margin.
constexpr auto kLogFollow = 1500ms;
constexpr auto kTimeOutEarliest = 9s;
constexpr auto kTimeOutLatest = 20s;

bool IsRunning() {
    return service_registry::CurrentState(scm::kServiceName) == DWORD{SERVICE_RUNNING};
}

bool ViewShows(HWND logPage, const std::string& line) {
    return ui::ControlText(logPage, IDC_LOG_VIEW).find(Widen(line)) != std::wstring::npos;
}

TEST_F(StartStop, StartSavesTheRulesGoesOnlineAndStopGoesOfflineWhileTheLogFollows) {
    ASSERT_EQ(m_install.WriteBehaviour({standin::Mode::SlowStart, 2}), 0u);
    ASSERT_NE(StartPanel(), nullptr);
    // The Log page follows the log from its creation on, also while it is hidden.
    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);
    HWND proxy = ShowProxyPage();
    ASSERT_TRUE(AddRule(L"Office", Ip(10, 0, 0, 1), Ip(10, 0, 0, 9), L"vpn.example.com"));
    ASSERT_TRUE(AddRule(L"Lab", Ip(192, 168, 1, 1), 0, L"10.1.1.1"));

    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartingButton), false,
                                   std::wstring(texts::kServerOffline)));
    EXPECT_TRUE(WaitForColour(IDC_STATUS, kRed));
    EXPECT_FALSE(ui::IsVisible(proxy, IDC_NOTE));
    EXPECT_EQ(SettingsText(),
              MainSection(2, std::nullopt) +
                  RuleSection(1, {"Office", "1", "167772161", "167772169", "vpn.example.com"}) +
                  RuleSection(2, {"Lab", "1", "-1062731519", "-1062731519", "10.1.1.1"}));

    ASSERT_TRUE(
        WaitUntil([&] { return ui::ControlText(proxy, IDC_START_STOP) == texts::kStopButton; },
                  kServiceChange));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStopButton), true,
                                   std::wstring(texts::kServerOnline)));
    EXPECT_TRUE(WaitForColour(IDC_STATUS, kGreen));
    EXPECT_TRUE(IsRunning());

    ASSERT_EQ(ShowLogPage(), log);
    EXPECT_TRUE(WaitUntil([&] { return ViewShows(log, standin::kStartedLine); }, kLogFollow));
    // The service read the rules just saved.
    EXPECT_TRUE(
        ViewShows(log, standin::FormatRuleLine(1, MakeRule("Office", Ip(10, 0, 0, 1),
                                                           Ip(10, 0, 0, 9), "vpn.example.com"))));
    EXPECT_TRUE(
        ViewShows(log, standin::FormatRuleLine(2, MakeRule("Lab", Ip(192, 168, 1, 1),
                                                           Ip(192, 168, 1, 1), "10.1.1.1"))));

    ShowProxyPage();
    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    EXPECT_TRUE(
        WaitUntil([&] { return ui::ControlText(proxy, IDC_START_STOP) == texts::kStartButton; },
                  kServiceChange));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartButton), true,
                                   std::wstring(texts::kServerOffline)));
    EXPECT_TRUE(WaitForColour(IDC_STATUS, kRed));
    EXPECT_TRUE(WaitUntil([] { return !IsRunning(); }, kServiceChange));
    ShowLogPage();
    EXPECT_TRUE(WaitUntil([&] { return ViewShows(log, standin::kStoppedLine); }, kLogFollow));
}

TEST_F(StartStop, TheKeyboardKeepsWorkingWhileTheButtonWaitsForTheService) {
    ASSERT_EQ(m_install.WriteBehaviour({standin::Mode::SlowStart, 4}), 0u);
    const std::string stored =
        MainSection(1, std::nullopt) +
        RuleSection(1, {"Office", "1", "167772161", "167772169", "vpn.example.com"});
    WriteSettings(stored);
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    HWND button = GetDlgItem(proxy, IDC_START_STOP);
    HWND list = GetDlgItem(proxy, IDC_RULE_LIST);
    HWND newRule = GetDlgItem(proxy, IDC_NEW_RULE);
    const auto focusIs = [&](HWND control) {
        return WaitUntil([&] { return ui::FocusOf(proxy) == control; }, 2s, 50ms);
    };
    ASSERT_TRUE(WaitForServerState(std::wstring(texts::kStartButton), true,
                                   std::wstring(texts::kServerOffline)));

    // The user tabs to Start and presses it with the space bar.
    for (int presses = 0; presses < 10 && !focusIs(button); ++presses) {
        ASSERT_TRUE(ui::PressKey(proxy, VK_TAB));
    }
    ASSERT_EQ(ui::FocusOf(proxy), button);
    ASSERT_TRUE(ui::PressKey(proxy, VK_SPACE));
    ASSERT_TRUE(WaitForServerState(std::wstring(texts::kStartingButton), false,
                                   std::wstring(texts::kServerOffline)));
    // The disabled button handed the focus on to the rule list, where Tab moves it.
    EXPECT_TRUE(focusIs(list));
    ASSERT_TRUE(ui::PressKey(proxy, VK_TAB));
    EXPECT_TRUE(focusIs(newRule));
    ASSERT_TRUE(ui::PressKey(proxy, VK_TAB, true));
    EXPECT_TRUE(focusIs(list));

    // Enabled again, the button has the focus back.
    ASSERT_TRUE(
        WaitUntil([&] { return ui::ControlText(proxy, IDC_START_STOP) == texts::kStopButton; },
                  kServiceChange));
    EXPECT_TRUE(focusIs(button));
    ASSERT_TRUE(ui::PressKey(proxy, VK_TAB));
    EXPECT_TRUE(focusIs(list));
    ASSERT_TRUE(ui::PressKey(proxy, VK_ESCAPE));
    EXPECT_EQ(m_panel.WaitForExit(ui::kUiPatience), DWORD{0}) << "the panel ended normally";
    EXPECT_EQ(SettingsText(), stored);
}

TEST_F(StartStop, AServiceThatExitsAtOnceTimesOutAfterTwentyTicksAndShowsOffline) {
    ASSERT_EQ(m_install.WriteBehaviour({standin::Mode::ExitAtOnce, 0}), 0u);
    WriteSettings(MainSection(1, std::nullopt) +
                  RuleSection(1, {"Office", "1", "167772161", "167772169", "vpn.example.com"}));
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    const auto clicked = std::chrono::steady_clock::now();
    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartingButton), false,
                                   std::wstring(texts::kServerOffline)));

    const ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId(), kTimeOutLatest);
    const auto waited = std::chrono::steady_clock::now() - clicked;
    ASSERT_NE(box.window, nullptr);
    EXPECT_GE(waited, kTimeOutEarliest);
    EXPECT_EQ(box.text, texts::kStatusChangeTimedOut.text);
    EXPECT_EQ(box.caption, kPanelName);
    ASSERT_TRUE(ui::Answer(box, IDOK));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartButton), true,
                                   std::wstring(texts::kServerOffline)));
    EXPECT_TRUE(WaitForColour(IDC_STATUS, kRed));
    EXPECT_NE(m_install.ReadFile(settings::kDefaultLogFileName).find(standin::kExitingLine),
              std::string::npos);
}

TEST_F(StartStop, StartWithSettingsThatCannotBeWrittenReportsItAndLeavesTheServiceStopped) {
    const std::string stored =
        MainSection(1, std::nullopt) +
        RuleSection(1, {"Office", "1", "167772161", "167772169", "vpn.example.com"});
    WriteSettings(stored);
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    ASSERT_TRUE(AddRule(L"Lab", Ip(10, 1, 0, 1), 0, L"10.1.1.1"));

    // A read-only attribute does not stop root under Wine; a file held open without
    // sharing stops every writer.
    HANDLE held = CreateFileA(SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    const ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    const std::wstring expectedStart =
        L"Could not save the settings to " + Widen(SettingsPath()) + L", error = ";
    EXPECT_EQ(box.text.substr(0, expectedStart.size()), expectedStart);
    const std::wstring code = box.text.substr(std::min(expectedStart.size(), box.text.size()));
    EXPECT_NE(code, L"");
    EXPECT_NE(code, L"0");
    EXPECT_EQ(box.caption, kPanelName);
    ASSERT_TRUE(ui::Answer(box, IDOK));
    CloseHandle(held);

    EXPECT_TRUE(ui::IsVisible(proxy, IDC_NOTE));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartButton), true,
                                   std::wstring(texts::kServerOffline)));
    EXPECT_EQ(SettingsText(), stored);

    // Had the refused start reached the service, however late, this start would be its
    // second: once it is online, its log tells how often it started.
    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    ASSERT_TRUE(WaitForServerState(std::wstring(texts::kStopButton), true,
                                   std::wstring(texts::kServerOnline)));
    const std::string log = m_install.ReadFile(settings::kDefaultLogFileName);
    const auto first = log.find(standin::kStartingLine);
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find(standin::kStartingLine, first + 1), std::string::npos) << log;
}

} // namespace
