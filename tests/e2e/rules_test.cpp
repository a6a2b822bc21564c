#include "panel_fixture.h"
#include "remote_list_view.h"
#include "settings_text.h"

#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"

#include <string>

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
