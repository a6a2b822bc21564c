// Leaving the main window with OK, its system-menu command, and the About links.
#include "fake_message_owner.h"
#include "panel/link_target.h"
#include "panel/main_window_logic.h"

#include <gtest/gtest.h>

namespace {

using Route = CMainWindowLogic::CommandRoute;

class FakeProxyPage : public IRulesSaver {
public:
    bool AreRulesModified() const override { return modified; }
    bool SaveRules() override {
        ++saves;
        return succeeds;
    }
    bool modified = true;
    int saves = 0;
    bool succeeds = true;
};

class LeaveWithOkTest : public ::testing::Test {
protected:
    FakeMessageOwner sheet;
    FakeProxyPage proxyPage;
    CMainWindowLogic logic{sheet, proxyPage};
};

TEST_F(LeaveWithOkTest, OnlyOkWithModifiedRulesAsks) {
    EXPECT_EQ(logic.OnCommand(2), Route::Default); // Cancel
    proxyPage.modified = false;
    EXPECT_EQ(logic.OnCommand(1), Route::Default);
    EXPECT_TRUE(sheet.messages.empty());

    proxyPage.modified = true;
    sheet.answers = {MessageAnswer::No};
    EXPECT_EQ(logic.OnCommand(1 | (0x0300u << 16)), Route::Default); // notification code ignored
    ASSERT_EQ(sheet.messages.size(), 1u);
    EXPECT_EQ(sheet.messages.at(0).text,
              L"Settings were modified.\nDo you want to save it before exit?");
    EXPECT_EQ(sheet.messages.at(0).caption, L"Settings modified");
    EXPECT_EQ(sheet.messages.at(0).icon, MessageIcon::Question);
    EXPECT_EQ(sheet.messages.at(0).buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(proxyPage.saves, 0);
}

TEST_F(LeaveWithOkTest, YesSavesAndReminds) {
    sheet.answers = {MessageAnswer::Yes};
    EXPECT_EQ(logic.OnCommand(1), Route::Default);
    EXPECT_EQ(proxyPage.saves, 1);
    ASSERT_EQ(sheet.messages.size(), 2u);
    EXPECT_EQ(sheet.messages.at(1).text, L"You need to Restart server to changes to have effect.");
    EXPECT_TRUE(sheet.messages.at(1).caption.empty());
    EXPECT_EQ(sheet.messages.at(1).icon, MessageIcon::Information);
}

TEST_F(LeaveWithOkTest, CancelOrAFailedSaveKeepsTheSheetOpen) {
    sheet.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(logic.OnCommand(1), Route::Handled);
    EXPECT_EQ(proxyPage.saves, 0);

    proxyPage.succeeds = false;
    sheet.answers = {MessageAnswer::Yes};
    EXPECT_EQ(logic.OnCommand(1), Route::Handled);
    EXPECT_EQ(proxyPage.saves, 1);
    EXPECT_EQ(sheet.messages.size(), 2u); // the two questions; no restart reminder
}

TEST(MainWindow, AboutCommandIgnoresTheLowFourBits) {
    EXPECT_TRUE(CMainWindowLogic::IsAboutCommand(0x0010));
    EXPECT_TRUE(CMainWindowLogic::IsAboutCommand(0x001F));
    EXPECT_FALSE(CMainWindowLogic::IsAboutCommand(0x0020));
    EXPECT_FALSE(CMainWindowLogic::IsAboutCommand(0xF020)); // SC_MINIMIZE
    EXPECT_FALSE(CMainWindowLogic::IsAboutCommand(0x0000));
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
