// Leaving the main window with OK, its system-menu command, and the About links.
#include "fake_message_owner.h"
#include "main_dlg_fixture.h"
#include "panel/about_dlg_links.h"
#include "panel/tarnlink_dlg_logic.h"

#include <gtest/gtest.h>

namespace {

using Route = CTarnlinkDlgLogic::CommandRoute;

// The sheet over a Proxy page with a settings file of no rules.
class LeaveWithOkTest : public ProxyPageTest {
protected:
    void SetUp() override { Initialise(); }
    // A change of the rule list, unsaved.
    static void AddRule(CMainDlgLogic& page) {
        CRuleEditorFields fields;
        fields.serverAddress = L"s";
        fields.firstIp = 1;
        page.AddRule(fields);
    }
    bool Saved() const { return !LoadFromFile().empty(); }

    FakeMessageOwner sheet;
    CTarnlinkDlgLogic sheetLogic{sheet, logic};
};

TEST_F(LeaveWithOkTest, OnlyOkWithModifiedRulesAsks) {
    EXPECT_EQ(sheetLogic.OnCommand(1), Route::Default);
    AddRule(logic);
    EXPECT_EQ(sheetLogic.OnCommand(2), Route::Default); // Cancel
    EXPECT_TRUE(sheet.messages.empty());

    sheet.answers = {MessageAnswer::No};
    EXPECT_EQ(sheetLogic.OnCommand(1 | (0x0300u << 16)),
              Route::Default); // notification code ignored
    ASSERT_EQ(sheet.messages.size(), 1u);
    EXPECT_EQ(sheet.messages.at(0).text,
              L"Settings were modified.\nDo you want to save it before exit?");
    EXPECT_EQ(sheet.messages.at(0).caption, L"Settings modified");
    EXPECT_EQ(sheet.messages.at(0).icon, MessageIcon::Question);
    EXPECT_EQ(sheet.messages.at(0).buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(Saved());
}

TEST_F(LeaveWithOkTest, YesSavesAndReminds) {
    AddRule(logic);
    sheet.answers = {MessageAnswer::Yes};
    EXPECT_EQ(sheetLogic.OnCommand(1), Route::Default);
    EXPECT_TRUE(Saved());
    ASSERT_EQ(sheet.messages.size(), 2u);
    EXPECT_EQ(sheet.messages.at(1).text, L"You need to Restart server to changes to have effect.");
    EXPECT_TRUE(sheet.messages.at(1).caption.empty());
    EXPECT_EQ(sheet.messages.at(1).icon, MessageIcon::Information);
}

TEST_F(LeaveWithOkTest, CancelOrAFailedSaveKeepsTheSheetOpen) {
    AddRule(logic);
    sheet.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(sheetLogic.OnCommand(1), Route::Handled);
    EXPECT_FALSE(Saved());

    CMainDlgLogic unwritable(view, view, scm, folder.File("missing-folder") + "/Settings.ini");
    ASSERT_EQ(unwritable.Initialise(), 0u);
    AddRule(unwritable);
    CTarnlinkDlgLogic stuck(sheet, unwritable);
    sheet.answers = {MessageAnswer::Yes};
    view.messages.clear();
    EXPECT_EQ(stuck.OnCommand(1), Route::Handled);
    ASSERT_EQ(view.messages.size(), 1u);  // the page's report of the save it tried
    EXPECT_EQ(sheet.messages.size(), 2u); // the two questions; no restart reminder
}

TEST(MainWindow, AboutCommandIgnoresTheLowFourBits) {
    EXPECT_TRUE(CTarnlinkDlgLogic::IsAboutCommand(0x0010));
    EXPECT_TRUE(CTarnlinkDlgLogic::IsAboutCommand(0x001F));
    EXPECT_FALSE(CTarnlinkDlgLogic::IsAboutCommand(0x0020));
    EXPECT_FALSE(CTarnlinkDlgLogic::IsAboutCommand(0xF020)); // SC_MINIMIZE
    EXPECT_FALSE(CTarnlinkDlgLogic::IsAboutCommand(0x0000));
}

TEST(AboutLinks, OnlyALeadingWwwGetsTheWebPrefix) {
    EXPECT_EQ(WebSiteLinkText(), L"http://www.tarnlink.example/");
    EXPECT_EQ(SupportMailLinkText(), L"mailto:support@tarnlink.example");
    EXPECT_EQ(LinkShellTarget(WebSiteLinkText()), L"http://www.tarnlink.example/");
    EXPECT_EQ(LinkShellTarget(L"www.tarnlink.example"), L"http://www.tarnlink.example");
    EXPECT_EQ(LinkShellTarget(L"WWW.tarnlink.example"), L"WWW.tarnlink.example");
    EXPECT_EQ(LinkShellTarget(L"see www.tarnlink.example"), L"see www.tarnlink.example");
}

} // namespace
