#include "panel_fixture.h"
#include "settings_text.h"

#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "testing/panel_driver/remote_list_view.h"
#include "testing/standin_harness/wait_until.h"

#include <string>

// Changing rules and leaving the panel: the save question at OK, none at Cancel.
namespace {

using namespace std::chrono_literals;

class Leaving : public PanelScenario {};

using settings_text::MainSection;
using settings_text::RuleSection;
using settings_text::RuleValues;

const RuleValues kAlpha{"Alpha", "1", "167772161", "167772161", "a.example.com"};
const RuleValues kBravo{"Bravo", "1", "167772162", "167772162", "b.example.com"};
const RuleValues kCharlie{"Charlie", "1", "167772163", "167772163", "c.example.com"};
const RuleValues kDelta{"Delta", "1", "167772164", "167772164", "d.example.com"};
const RuleValues kEcho{"Echo", "1", "167772165", "167772165", "e.example.com"};

std::string FourRules() {
    return MainSection(4, std::nullopt) + RuleSection(1, kAlpha) + RuleSection(2, kBravo) +
           RuleSection(3, kCharlie) + RuleSection(4, kDelta);
}

std::string FiveRules() {
    return MainSection(5, std::nullopt) + RuleSection(1, kAlpha) + RuleSection(2, kBravo) +
           RuleSection(3, kCharlie) + RuleSection(4, kDelta) + RuleSection(5, kEcho);
}

TEST_F(Leaving, EditRemoveAndToggleThenOkAsksAndYesSavesWithTheRestartReminder) {
    WriteSettings(FiveRules());
    ASSERT_NE(StartPanel(), nullptr);
    HWND proxy = ProxyPage();
    CRemoteListView list(GetDlgItem(proxy, IDC_RULE_LIST));
    ASSERT_TRUE(list.IsReady());
    ASSERT_EQ(list.RowCount(), 5);

    // Edit takes the lowest of the selected rows.
    list.Select({2, 4});
    ASSERT_TRUE(ui::Click(proxy, IDC_EDIT_RULE));
    HWND editor = ui::WaitForDialog(PanelId(), std::wstring(texts::kEditRuleCaption));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ui::ControlText(editor, IDC_RULE_NAME), L"Charlie");
    EXPECT_EQ(ui::ControlText(editor, IDC_SERVER), L"c.example.com");
    ui::SetControlText(editor, IDC_RULE_NAME, L"Charlie 2");
    ui::SetIpAddress(editor, IDC_LAST_IP, Ip(10, 0, 0, 20));
    ASSERT_TRUE(ui::Click(editor, IDOK));
    ASSERT_TRUE(ui::WaitUntilDialogGone(PanelId(), std::wstring(texts::kEditRuleCaption)));
    EXPECT_EQ(list.RowText(2), L"Charlie 2 | 10.0.0.3-10.0.0.20 | c.example.com");

    list.Select({1, 3});
    ASSERT_TRUE(ui::Click(proxy, IDC_REMOVE_RULE));
    ASSERT_TRUE(WaitUntil([&] { return list.RowCount() == 3; }, ui::kUiPatience));
    EXPECT_EQ(list.RowText(0), L"Alpha | 10.0.0.1 | a.example.com");
    EXPECT_EQ(list.RowText(1), L"Charlie 2 | 10.0.0.3-10.0.0.20 | c.example.com");
    EXPECT_EQ(list.RowText(2), L"Echo | 10.0.0.5 | e.example.com");
    list.SetChecked(1, false);
    EXPECT_TRUE(ui::IsVisible(proxy, IDC_NOTE));

    ASSERT_TRUE(ui::Click(Sheet(), IDOK));
    ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kSaveBeforeExit.text);
    EXPECT_EQ(box.caption, texts::kSaveBeforeExit.caption);
    ASSERT_TRUE(ui::Answer(box, IDCANCEL));
    EXPECT_FALSE(m_panel.WaitForExit(1s).has_value());
    EXPECT_TRUE(IsWindowVisible(Sheet()));
    EXPECT_EQ(SettingsText(), FiveRules());

    ASSERT_TRUE(ui::Click(Sheet(), IDOK));
    box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kSaveBeforeExit.text);
    ASSERT_TRUE(ui::Answer(box, IDYES));
    box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kRestartAfterSave.text);
    EXPECT_EQ(box.caption, kPanelName);
    ASSERT_TRUE(ui::Answer(box, IDOK));
    EXPECT_EQ(m_panel.WaitForExit(ui::kUiPatience), DWORD{0}) << "the panel ended normally";

    // Sections beyond the new count stay as they were.
    EXPECT_EQ(SettingsText(),
              MainSection(3, std::nullopt) + RuleSection(1, kAlpha) +
                  RuleSection(2, {"Charlie 2", "0", "167772163", "167772180", "c.example.com"}) +
                  RuleSection(3, kEcho) + RuleSection(4, kDelta) + RuleSection(5, kEcho));
}

TEST_F(Leaving, OkAnsweredNoClosesWithoutSaving) {
    WriteSettings(FourRules());
    ASSERT_NE(StartPanel(), nullptr);
    ASSERT_TRUE(AddRule(L"Echo", Ip(10, 0, 0, 5), 0, L"e.example.com"));
    ASSERT_TRUE(ui::Click(Sheet(), IDOK));
    const ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    EXPECT_EQ(box.text, texts::kSaveBeforeExit.text);
    ASSERT_TRUE(ui::Answer(box, IDNO));
    EXPECT_EQ(m_panel.WaitForExit(ui::kUiPatience), DWORD{0}) << "the panel ended normally";
    EXPECT_EQ(SettingsText(), FourRules());
}

// Every way out but OK leaves without asking and without saving.
enum class WayOut { CancelButton, EscapeKey, CloseBox };

class LeavingWithoutOk : public PanelScenario, public ::testing::WithParamInterface<WayOut> {};

TEST_P(LeavingWithoutOk, ClosesWithoutAskingOrSaving) {
    WriteSettings(FourRules());
    ASSERT_NE(StartPanel(), nullptr);
    ASSERT_TRUE(AddRule(L"Echo", Ip(10, 0, 0, 5), 0, L"e.example.com"));
    ASSERT_TRUE(ui::IsVisible(ProxyPage(), IDC_NOTE));
    switch (GetParam()) {
    case WayOut::CancelButton:
        ASSERT_TRUE(ui::Click(Sheet(), IDCANCEL));
        break;
    case WayOut::EscapeKey:
        ASSERT_TRUE(ui::PressKey(Sheet(), VK_ESCAPE));
        break;
    case WayOut::CloseBox:
        // What a click on the close box sends.
        ASSERT_TRUE(PostMessageW(Sheet(), WM_SYSCOMMAND, SC_CLOSE, 0));
        break;
    }
    EXPECT_EQ(m_panel.WaitForExit(ui::kUiPatience), DWORD{0}) << "the panel ended normally";
    EXPECT_EQ(SettingsText(), FourRules());
}

std::string WayOutName(const ::testing::TestParamInfo<WayOut>& way) {
    constexpr const char* kNames[] = {"CancelButton", "EscapeKey", "CloseBox"};
    return kNames[static_cast<int>(way.param)];
}

INSTANTIATE_TEST_SUITE_P(Leaving, LeavingWithoutOk,
                         ::testing::Values(WayOut::CancelButton, WayOut::EscapeKey,
                                           WayOut::CloseBox),
                         WayOutName);

} // namespace
