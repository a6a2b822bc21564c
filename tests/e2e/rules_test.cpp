#include "panel_fixture.h"
#include "settings_text.h"

#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "service/service_values.h"
#include "testing/panel_driver/remote_list_view.h"
#include "testing/standin_harness/service_registry.h"

#include "testing/standin_harness/wait_until.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

// Entering rules through the editor, and the refusals of Start without usable rules.
namespace {

class Rules : public PanelScenario {};

using settings_text::MainSection;
using settings_text::RuleSection;

// One rule kept from an earlier run, with addresses above 128.0.0.0 stored negative.
std::string OneStoredRule() {
    return MainSection(1, std::nullopt) +
           RuleSection(1, {"Branch", "1", "-1062731519", "-1062731266", "10.20.30.40"});
}

// Whether Tab, pressed again and again, reaches the window's controls in this order;
// controls outside it (the sheet's buttons and tabs) may come between the rounds.
::testing::AssertionResult TabReaches(HWND window, const std::vector<int>& order) {
    std::vector<int> seen;
    for (std::size_t press = 0; press < 2 * order.size() + 8; ++press) {
        HWND before = ui::FocusOf(window);
        if (!ui::PressKey(window, VK_TAB)) {
            return ::testing::AssertionFailure() << "the key could not be typed";
        }
        WaitUntil([&] { return ui::FocusOf(window) != before; }, std::chrono::seconds(5));
        HWND control = ui::FocusOf(window);
        while (control != nullptr && GetParent(control) != window) {
            control = GetParent(control);
        }
        const int id = control != nullptr ? GetDlgCtrlID(control) : 0;
        if (id != 0 && (seen.empty() || seen.back() != id)) {
            seen.push_back(id);
        }
    }
    if (std::search(seen.begin(), seen.end(), order.begin(), order.end()) != seen.end()) {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "Tab reached";
    for (int id : seen) {
        failure << " " << id;
    }
    return failure;
}

TEST_F(Rules, KeysWorkTheRuleListAndTabReachesEveryControlInTemplateOrder) {
    WriteSettings(MainSection(2, std::nullopt) +
                  RuleSection(1, {"One", "1", "1", "1", "a.example"}) +
                  RuleSection(2, {"Two", "1", "2", "2", "b.example"}));
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    HWND listWindow = GetDlgItem(proxy, IDC_RULE_LIST);
    CRemoteListView list(listWindow);
    ASSERT_TRUE(list.IsReady());
    EXPECT_TRUE(TabReaches(
        proxy, {IDC_START_STOP, IDC_RULE_LIST, IDC_NEW_RULE, IDC_EDIT_RULE, IDC_REMOVE_RULE}));
    for (int press = 0; press < 10 && ui::FocusOf(proxy) != listWindow; ++press) {
        ASSERT_TRUE(ui::PressKey(proxy, VK_TAB));
        WaitUntil([&] { return ui::FocusOf(proxy) == listWindow; }, std::chrono::seconds(2));
    }
    ASSERT_EQ(ui::FocusOf(proxy), listWindow);

    // Down takes the first row; Space switches its box, as a click on it does.
    ASSERT_TRUE(ui::PressKey(listWindow, VK_DOWN));
    ASSERT_TRUE(ui::PressKey(listWindow, VK_SPACE));
    EXPECT_TRUE(WaitUntil([&] { return !list.IsChecked(0); }, ui::kUiPatience));
    EXPECT_TRUE(ui::IsVisible(proxy, IDC_NOTE));

    // Enter edits it, as a double click does, instead of leaving with OK.
    ASSERT_TRUE(ui::PressKey(listWindow, VK_RETURN));
    HWND editor = ui::WaitForDialog(PanelId(), std::wstring(texts::kEditRuleCaption));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ui::ControlText(editor, IDC_RULE_NAME), L"One");
    EXPECT_TRUE(
        TabReaches(editor, {IDC_RULE_NAME, IDC_FIRST_IP, IDC_LAST_IP, IDC_SERVER, IDOK, IDCANCEL}));
    ASSERT_TRUE(ui::Click(editor, IDCANCEL));
    ASSERT_TRUE(ui::WaitUntilDialogGone(PanelId(), std::wstring(texts::kEditRuleCaption)));

    // Delete removes it, as Remove does.
    ASSERT_TRUE(ui::PressKey(listWindow, VK_DELETE));
    EXPECT_TRUE(WaitUntil([&] { return list.RowCount() == 1; }, ui::kUiPatience));
    EXPECT_EQ(list.CellText(0, 0), L"Two");
    EXPECT_TRUE(IsWindowVisible(Sheet()));

    EXPECT_TRUE(TabReaches(ShowLogPage(), {IDC_BROWSE, IDC_LOG_VIEW}));
    HWND about = OpenAboutBox();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(TabReaches(about, {IDOK, IDC_WEB_LINK, IDC_MAIL_LINK}));
    ASSERT_TRUE(ui::Click(about, IDOK));
}

TEST_F(Rules, NewRuleRefusesAMissingServerThenABadRangeAndAppendsTheGoodRuleTicked) {
    WriteSettings(OneStoredRule());
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    CRemoteListView list(GetDlgItem(proxy, IDC_RULE_LIST));
    ASSERT_TRUE(list.IsReady());
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.RowText(0), L"Branch | 192.168.1.1-192.168.1.254 | 10.20.30.40");

    ASSERT_TRUE(ui::Click(proxy, IDC_NEW_RULE));
    HWND editor = ui::WaitForDialog(PanelId(), L"New Rule");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ui::ControlText(editor, IDC_RULE_NAME), texts::kNewRuleName);

    // The server is checked first: a bad range does not matter yet.
    ui::SetIpAddress(editor, IDC_FIRST_IP, Ip(10, 0, 0, 9));
    ui::SetIpAddress(editor, IDC_LAST_IP, Ip(10, 0, 0, 1));
    ASSERT_TRUE(ui::Click(editor, IDOK));
    ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kServerAddressMissing.text);
    EXPECT_EQ(box.caption, texts::kServerAddressMissing.caption);
    ASSERT_TRUE(ui::Answer(box, IDOK));
    EXPECT_TRUE(IsWindowVisible(editor));

    ui::SetControlText(editor, IDC_SERVER, L"vpn.example.com");
    ASSERT_TRUE(ui::Click(editor, IDOK));
    box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kAddressRangeInvalid.text);
    EXPECT_EQ(box.caption, texts::kAddressRangeInvalid.caption);
    ASSERT_TRUE(ui::Answer(box, IDOK));
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(ui::ControlText(editor, IDC_SERVER), L"vpn.example.com");

    ui::SetControlText(editor, IDC_RULE_NAME, L"Office");
    ui::SetIpAddress(editor, IDC_FIRST_IP, Ip(10, 0, 0, 1));
    ui::SetIpAddress(editor, IDC_LAST_IP, Ip(10, 0, 0, 9));
    ASSERT_TRUE(ui::Click(editor, IDOK));
    ASSERT_TRUE(ui::WaitUntilDialogGone(PanelId(), L"New Rule"));

    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.RowText(1), L"Office | 10.0.0.1-10.0.0.9 | vpn.example.com");
    EXPECT_TRUE(list.IsChecked(1));
    EXPECT_TRUE(ui::IsVisible(proxy, IDC_NOTE));
    EXPECT_TRUE(WaitForColour(IDC_NOTE, kRed));
    EXPECT_EQ(SettingsText(), OneStoredRule()) << "a new rule is kept in memory only";
}

TEST_F(Rules, StartWithoutARuleOrWithoutAnEnabledRuleWarnsAndWritesNothing) {
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kNoRuleToRun.text);
    EXPECT_EQ(box.caption, texts::kNoRuleToRun.caption);
    ASSERT_TRUE(ui::Answer(box, IDOK));

    ASSERT_TRUE(AddRule(L"Office", Ip(10, 0, 0, 1), Ip(10, 0, 0, 9), L"vpn.example.com"));
    CRemoteListView list(GetDlgItem(proxy, IDC_RULE_LIST));
    ASSERT_TRUE(list.IsReady());
    list.SetChecked(0, false);
    ASSERT_FALSE(list.IsChecked(0));
    ASSERT_TRUE(ui::Click(proxy, IDC_START_STOP));
    box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kNoEnabledRuleToRun.text);
    EXPECT_EQ(box.caption, texts::kNoEnabledRuleToRun.caption);
    ASSERT_TRUE(ui::Answer(box, IDOK));

    EXPECT_FALSE(SettingsExist());
    EXPECT_TRUE(ui::IsVisible(proxy, IDC_NOTE));
    EXPECT_TRUE(WaitForServerState(std::wstring(texts::kStartButton), true,
                                   std::wstring(texts::kServerOffline)));
    EXPECT_EQ(service_registry::CurrentState(scm::kServiceName), DWORD{SERVICE_STOPPED});
}

} // namespace
