#include "installer/service_installer.h"
#include "mock_platform.h"

#include <gtest/gtest.h>

namespace tarnward {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::StrEq;
using ::testing::StrictMock;

const char* const kOwnPath = "D:\\Apps\\VPN Tools\\Tarnward.exe";
const char* const kRegisteredPath = "\"d:\\apps\\vpn tools\\Proxy.exe\"";

MATCHER(IsFullRegistration, "") {
    return std::string(arg.serviceName) == "TarnlinkServer" &&
           std::string(arg.displayName) == "TarnlinkServer" && arg.desiredAccess == 0xF01FFu &&
           arg.serviceType == 0x10u && arg.startType == 2u && arg.errorControl == 0u &&
           arg.binaryPath == kRegisteredPath;
}

MATCHER(IsRestartTwiceThenNothing, "") {
    const auto& a = arg.actions;
    return arg.resetPeriodSeconds == 86400u && arg.rebootMessage == nullptr &&
           arg.command == nullptr && a[0].type == kActionRestart && a[0].delayMs == 900000u &&
           a[1].type == kActionRestart && a[1].delayMs == 900000u && a[2].type == kActionNone &&
           a[2].delayMs == 900000u;
}

class InstallTest : public ::testing::Test {
protected:
    InstallTest() { EXPECT_CALL(platform, IsLeadByte(_)).WillRepeatedly(Return(false)); }

    void ExpectManagerAndOwnPath(bool exact) {
        EXPECT_CALL(platform, OpenManager(kScmCreateAccess)).WillOnce(Return(manager));
        EXPECT_CALL(platform, ModuleFileName(_, 260u)).WillOnce(Invoke(AnswerModulePath(kOwnPath)));
        EXPECT_CALL(platform, NamesRunningProgram(StrEq(kOwnPath))).WillOnce(Return(exact));
    }
    void ExpectManagerAndPath() { ExpectManagerAndOwnPath(true); }
    void ExpectConfiguredAndClosed() {
        EXPECT_CALL(platform, SetDescription(service, NamesService("Tarnlink Server")));
        EXPECT_CALL(platform, SetFailureActions(service, IsRestartTwiceThenNothing()));
        EXPECT_CALL(platform, Close(manager));
        EXPECT_CALL(platform, Close(service));
    }
    // The inner uninstall of an old registration, up to its deletion.
    void ExpectOldServiceOpened() {
        EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(innerManager));
        EXPECT_CALL(platform, OpenNamedService(innerManager, _, kUninstallAccess))
            .WillOnce(Return(oldService));
        EXPECT_CALL(platform, QueryState(oldService, _)).WillOnce(ReportState(kServiceStopped));
    }

    StrictMock<MockPlatform> platform;
    CServiceInstaller installer{platform};
    ITarnwardPlatform::Handle manager = FakeHandle(1);
    ITarnwardPlatform::Handle service = FakeHandle(2);
    ITarnwardPlatform::Handle innerManager = FakeHandle(3);
    ITarnwardPlatform::Handle oldService = FakeHandle(4);
};

TEST_F(InstallTest, RegistersWithEveryParameterAndDoesNotStart) {
    InSequence order;
    ExpectManagerAndPath();
    EXPECT_CALL(platform, Create(manager, IsFullRegistration())).WillOnce(Return(service));
    ExpectConfiguredAndClosed();
    EXPECT_EQ(installer.InstallService(), kSuccess);
}

TEST_F(InstallTest, NoScmConnectionIsReportedWithItsCode) {
    InSequence order;
    EXPECT_CALL(platform, OpenManager(kScmCreateAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(5u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kInstallNoScm)));
    EXPECT_EQ(installer.InstallService(), 5u);
}

TEST_F(InstallTest, OwnPathWithoutFolderEndsWithOne) {
    InSequence order;
    EXPECT_CALL(platform, OpenManager(kScmCreateAccess)).WillOnce(Return(manager));
    EXPECT_CALL(platform, ModuleFileName(_, 260u)).WillOnce(Return(0u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kInstallNoPath)));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_EQ(installer.InstallService(), kExitNoOwnFolder);
}

TEST_F(InstallTest, OwnPathOutsideTheCodePageCreatesNothing) {
    for (const bool quiet : {false, true}) {
        InSequence order;
        ExpectManagerAndOwnPath(false);
        if (!quiet) {
            EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kInstallFolderNotInCodePage)));
        }
        EXPECT_CALL(platform, Close(manager));
        EXPECT_EQ(CServiceInstaller(platform, quiet).InstallService(), 1113u) << quiet;
    }
}

TEST_F(InstallTest, OtherCreationErrorIsReportedWithoutUninstall) {
    InSequence order;
    ExpectManagerAndPath();
    EXPECT_CALL(platform, Create(manager, _)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(1078u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kInstallCannotRegister)));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_EQ(installer.InstallService(), 1078u);
}

class ReplaceTest : public InstallTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(ReplaceTest, OldRegistrationIsRemovedThenCreatedAgain) {
    InSequence order;
    ExpectManagerAndPath();
    EXPECT_CALL(platform, Create(manager, _)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(GetParam()));
    ExpectOldServiceOpened();
    EXPECT_CALL(platform, Delete(oldService)).WillOnce(Return(true));
    EXPECT_CALL(platform, Close(innerManager));
    EXPECT_CALL(platform, Close(oldService));
    EXPECT_CALL(platform, Create(manager, IsFullRegistration())).WillOnce(Return(service));
    ExpectConfiguredAndClosed();
    EXPECT_EQ(installer.InstallService(), kSuccess);
}

INSTANTIATE_TEST_SUITE_P(InTheWay, ReplaceTest,
                         ::testing::Values(kErrorServiceExists, kErrorServiceMarkedForDelete));

TEST_F(InstallTest, FailedRemovalShowsOnlyTheUninstallMessage) {
    InSequence order;
    ExpectManagerAndPath();
    EXPECT_CALL(platform, Create(manager, _)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(kErrorServiceExists));
    ExpectOldServiceOpened();
    EXPECT_CALL(platform, Delete(oldService)).WillOnce(Return(false));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(5u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kUninstallCannotRemove)));
    EXPECT_CALL(platform, Close(innerManager));
    EXPECT_CALL(platform, Close(oldService));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_EQ(installer.InstallService(), 5u);
}

TEST_F(InstallTest, SecondCreationFailureIsReportedWithItsCode) {
    InSequence order;
    ExpectManagerAndPath();
    EXPECT_CALL(platform, Create(manager, _)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(kErrorServiceExists));
    ExpectOldServiceOpened();
    EXPECT_CALL(platform, Delete(oldService)).WillOnce(Return(true));
    EXPECT_CALL(platform, Close(innerManager));
    EXPECT_CALL(platform, Close(oldService));
    EXPECT_CALL(platform, Create(manager, _)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(kErrorServiceMarkedForDelete));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kInstallCannotRegister)));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_EQ(installer.InstallService(), kErrorServiceMarkedForDelete);
}

} // namespace
} // namespace tarnward
