// The application's two refusals at start-up, and the main window otherwise.
#include "fake_message_owner.h"
#include "panel/tarnlink_app_startup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The platform, with the messages shown without an owner.
class FakeStartup : public IStartupPlatform, public FakeMessageOwner {
public:
    void RegisterCommonControls() override {}
    bool ClaimSingleInstance(std::wstring_view lockName) override {
        claimedLock = lockName;
        return !anotherInstance;
    }
    void LoadRichEdit() override {}
    bool HasAdminRights() override {
        rightsAsked = true;
        return admin;
    }
    void RunMainWindow() override { mainWindowRan = true; }

    bool anotherInstance = false;
    bool admin = true;

    std::optional<std::wstring> claimedLock;
    bool rightsAsked = false;
    bool mainWindowRan = false;
};

TEST(AppStartup, FirstInstanceWithRightsRunsTheMainWindowSilently) {
    FakeStartup platform;
    RunStartup(platform, platform);
    EXPECT_TRUE(platform.mainWindowRan);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(AppStartup, SecondInstanceIsToldBeforeTheRightsAreCheckedAndNeverOpensTheWindow) {
    FakeStartup platform;
    platform.anotherInstance = true;
    platform.admin = false;
    RunStartup(platform, platform);
    EXPECT_EQ(platform.claimedLock, L"Tarnlink32Mutex900");
    EXPECT_FALSE(platform.rightsAsked);
    EXPECT_FALSE(platform.mainWindowRan);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages.at(0).text,
              L"Another instance of Tarnlink Control Panel is already running!");
    EXPECT_EQ(platform.messages.at(0).caption, L"Tarnlink Control Panel");
    EXPECT_EQ(platform.messages.at(0).icon, MessageIcon::Information);
}

TEST(AppStartup, MissingRightsEndWithTheAdviceToRunAsAdministrator) {
    FakeStartup platform;
    platform.admin = false;
    RunStartup(platform, platform);
    EXPECT_FALSE(platform.mainWindowRan);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages.at(0).text,
              L"You must have administrator privileges to configure Tarnlink!\n\nPlease "
              L"right-click the program and select \"Run as administrator\" command.");
    EXPECT_EQ(platform.messages.at(0).caption, L"Tarnlink Control Panel");
    EXPECT_EQ(platform.messages.at(0).icon, MessageIcon::Error);
}

} // namespace
