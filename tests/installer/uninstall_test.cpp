#include "installer/service_installer.h"
#include "mock_platform.h"

#include <gtest/gtest.h>

namespace tarnward {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::StrictMock;

constexpr std::uint32_t kRunning = 4;
constexpr std::uint32_t kStopPending = 3;

class UninstallTest : public ::testing::Test {
protected:
    // The SCM connection and the service open, as every uninstall that gets that far.
    void ExpectServiceOpened() {
        EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(manager));
        EXPECT_CALL(platform,
                    OpenNamedService(manager, NamesService("TarnlinkServer"), kUninstallAccess))
            .WillOnce(Return(service));
    }
    void ExpectDeletedAndClosed() {
        EXPECT_CALL(platform, Delete(service)).WillOnce(Return(true));
        EXPECT_CALL(platform, Close(manager));
        EXPECT_CALL(platform, Close(service));
    }

    StrictMock<MockPlatform> platform;
    CServiceInstaller installer{platform};
    ITarnwardPlatform::Handle manager = FakeHandle(1);
    ITarnwardPlatform::Handle service = FakeHandle(2);
};

TEST_F(UninstallTest, NoScmConnectionIsReportedWithItsCode) {
    InSequence order;
    EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(5u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kUninstallNoScm)));
    EXPECT_EQ(installer.UninstallService(), 5u);
}

TEST_F(UninstallTest, NothingRegisteredIsSuccessWithoutMessage) {
    InSequence order;
    EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(manager));
    EXPECT_CALL(platform, OpenNamedService(manager, _, kUninstallAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(kErrorServiceDoesNotExist));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_EQ(installer.UninstallService(), kSuccess);
}

TEST_F(UninstallTest, ServiceThatCannotBeOpenedIsReportedWithItsCode) {
    InSequence order;
    EXPECT_CALL(platform, OpenManager(kScmConnectAccess)).WillOnce(Return(manager));
    EXPECT_CALL(platform, OpenNamedService(manager, _, kUninstallAccess)).WillOnce(Return(nullptr));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(5u));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kUninstallCannotOpen)));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_EQ(installer.UninstallService(), 5u);
}

TEST_F(UninstallTest, StoppedServiceIsDeletedAtOnce) {
    InSequence order;
    ExpectServiceOpened();
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kServiceStopped));
    ExpectDeletedAndClosed();
    EXPECT_EQ(installer.UninstallService(), kSuccess);
}

TEST_F(UninstallTest, FailedQueryOrRefusedStopGoesOnToTheDeletion) {
    {
        InSequence order;
        ExpectServiceOpened();
        EXPECT_CALL(platform, QueryState(service, _)).WillOnce(Return(false));
        ExpectDeletedAndClosed();
    }
    EXPECT_EQ(installer.UninstallService(), kSuccess);
    {
        InSequence order;
        ExpectServiceOpened();
        EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kRunning));
        EXPECT_CALL(platform, SendStop(service)).WillOnce(Return(false));
        ExpectDeletedAndClosed();
    }
    EXPECT_EQ(installer.UninstallService(), kSuccess);
}

TEST_F(UninstallTest, RunningServiceIsStoppedAndWaitedForBeforeDeletion) {
    InSequence order;
    ExpectServiceOpened();
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kRunning));
    EXPECT_CALL(platform, SendStop(service)).WillOnce(Return(true));
    EXPECT_CALL(platform, Wait(1000u));
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kStopPending));
    EXPECT_CALL(platform, Wait(2000u));
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kServiceStopped));
    ExpectDeletedAndClosed();
    EXPECT_EQ(installer.UninstallService(), kSuccess);
}

TEST_F(UninstallTest, WaitEndsWhenAQueryFails) {
    InSequence order;
    ExpectServiceOpened();
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kRunning));
    EXPECT_CALL(platform, SendStop(service)).WillOnce(Return(true));
    EXPECT_CALL(platform, Wait(1000u));
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(Return(false));
    ExpectDeletedAndClosed();
    EXPECT_EQ(installer.UninstallService(), kSuccess);
}

TEST_F(UninstallTest, ServiceThatNeverStopsIsDeletedAfterFifteenSeconds) {
    InSequence order;
    ExpectServiceOpened();
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kRunning));
    EXPECT_CALL(platform, SendStop(service)).WillOnce(Return(true));
    for (std::uint32_t ms = 1000; ms <= 5000; ms += 1000) {
        EXPECT_CALL(platform, Wait(ms));
        EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kStopPending));
    }
    ExpectDeletedAndClosed();
    EXPECT_EQ(installer.UninstallService(), kSuccess);
}

TEST_F(UninstallTest, RefusedDeletionIsReportedAndBothHandlesClosed) {
    InSequence order;
    ExpectServiceOpened();
    EXPECT_CALL(platform, QueryState(service, _)).WillOnce(ReportState(kServiceStopped));
    EXPECT_CALL(platform, Delete(service)).WillOnce(Return(false));
    EXPECT_CALL(platform, LastError()).WillOnce(Return(kErrorServiceMarkedForDelete));
    EXPECT_CALL(platform, ShowMessage(IsMessage(documented::kUninstallCannotRemove)));
    EXPECT_CALL(platform, Close(manager));
    EXPECT_CALL(platform, Close(service));
    EXPECT_EQ(installer.UninstallService(), kErrorServiceMarkedForDelete);
}

} // namespace
} // namespace tarnward
