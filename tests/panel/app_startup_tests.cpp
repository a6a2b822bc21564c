// The application's start-up order, its two refusals and the rights check.
#include "panel/app_startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

class FakeStartup : public IStartupPlatform, public IAdminRightsQuery {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        calls.push_back("message");
        messages.push_back(request);
        return MessageAnswer::Ok;
    }
    void RegisterCommonControls(std::uint32_t size, std::uint32_t classes) override {
        calls.push_back("controls " + std::to_string(size) + " " + std::to_string(classes));
    }
    void RunDefaultInitialisation() override { calls.push_back("default"); }
    std::uint32_t CreateInstanceMutex(std::wstring_view name) override {
        calls.push_back("mutex");
        mutexName = name;
        return mutexError;
    }
    void EnableControlContainer() override { calls.push_back("container"); }
    void LoadRichEdit() override { calls.push_back("richedit"); }
    void SetRegistryKey(std::wstring_view) override { calls.push_back("registry"); }
    void RunMainWindow() override { calls.push_back("main"); }

    std::optional<std::uint32_t> PlatformId() override {
        calls.push_back("version");
        return platform;
    }
    std::optional<bool> CallIsUserAdmin() override {
        calls.push_back("isadmin");
        return admin;
    }

    std::uint32_t mutexError = 0;
    std::optional<std::uint32_t> platform = 2;
    std::optional<bool> admin = true;

    std::vector<std::string> calls;
    std::vector<MessageRequest> messages;
    std::wstring mutexName;
};

TEST(AppStartup, FirstInstanceWithRightsRunsTheMainWindow) {
    FakeStartup platform;
    RunStartup(platform, platform);
    EXPECT_THAT(platform.calls, ElementsAre("controls 8 255", "default", "mutex", "container",
                                            "richedit", "version", "isadmin", "registry", "main"));
    EXPECT_EQ(platform.mutexName, L"Tarnlink32Mutex900");

    FakeStartup noMutex; // a mutex that could not be created counts as the first instance
    noMutex.mutexError = 5;
    RunStartup(noMutex, noMutex);
    EXPECT_EQ(noMutex.calls.back(), "main");
}

TEST(AppStartup, SecondInstanceIsToldBeforeTheRightsAreChecked) {
    FakeStartup platform;
    platform.mutexError = 183;
    platform.admin = false;
    RunStartup(platform, platform);
    EXPECT_THAT(platform.calls, ElementsAre("controls 8 255", "default", "mutex", "message"));
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
    EXPECT_THAT(platform.calls, ElementsAre("controls 8 255", "default", "mutex", "container",
                                            "richedit", "version", "isadmin", "message"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages.at(0).text,
              L"You must have administrator privileges to configure Tarnlink!\n\nPlease "
              L"right-click the program and select \"Run as administrator\" command.");
    EXPECT_EQ(platform.messages.at(0).caption, L"Tarnlink Control Panel");
    EXPECT_EQ(platform.messages.at(0).icon, MessageIcon::Error);
}

TEST(AdminRights, AnythingThePlatformCannotTellCountsAsAdministrator) {
    struct Case {
        std::optional<std::uint32_t> platform;
        std::optional<bool> admin;
        bool expected;
    };
    const Case cases[] = {
        {std::nullopt, false, true}, // version query failed
        {1, false, true},            // Windows 95 family
        {2, std::nullopt, true},     // no IsUserAdmin
        {2, true, true},
        {2, false, false},
    };
    for (const Case& c : cases) {
        FakeStartup query;
        query.platform = c.platform;
        query.admin = c.admin;
        EXPECT_EQ(HasAdminRights(query), c.expected);
    }
}

} // namespace
