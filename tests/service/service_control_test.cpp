#include "service/service_control.h"
#include "service/service_values.h"
#include "tests/support/scm_double.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::StrictMock;

namespace {

constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kServiceDoesNotExist = 1060;
constexpr std::uint32_t kServiceAlreadyRunning = 1056;
constexpr std::uint32_t kServiceNotActive = 1062;

// Distinct fake handles; the controller only passes them back.
int g_handleTargets[4];
IScmApi::Handle const kManager = &g_handleTargets[0];
IScmApi::Handle const kService = &g_handleTargets[1];
IScmApi::Handle const kManager2 = &g_handleTargets[2];
IScmApi::Handle const kService2 = &g_handleTargets[3];

class ServiceControlTest : public ::testing::Test {
protected:
    // Opens the service with the expected calls, then forgets them so each test
    // states only what it is about.
    void OpenSuccessfully(CServiceControl& control) {
        // Connect only; query status, start and stop, nothing more.
        EXPECT_CALL(scm, OpenManager(1u)).WillOnce(Return(kManager));
        EXPECT_CALL(scm, OpenNamedService(kManager, "TarnlinkServer", 52u))
            .WillOnce(Return(kService));
        ASSERT_EQ(control.Open(scm::kServiceName), 0u);
        ::testing::Mock::VerifyAndClearExpectations(&scm);
    }

    StrictMock<ScmDouble> scm;
};

TEST_F(ServiceControlTest, OpenAsksForLeastRightsAndDestructorClosesBoth) {
    CServiceControl control(scm);
    OpenSuccessfully(control);
    InSequence closingOrder;
    EXPECT_CALL(scm, Close(kManager));
    EXPECT_CALL(scm, Close(kService));
}

TEST_F(ServiceControlTest, OpenReportsTheFailingStepAndKeepsWhatItHas) {
    {
        // The manager cannot be reached: the error comes back, nothing else is asked.
        CServiceControl control(scm);
        EXPECT_CALL(scm, OpenManager(_)).WillOnce(Return(nullptr));
        EXPECT_CALL(scm, LastError()).WillOnce(Return(kAccessDenied));
        EXPECT_EQ(control.Open(scm::kServiceName), kAccessDenied);
    }
    {
        // The service is not installed: the manager connection stays open until
        // the controller goes.
        CServiceControl control(scm);
        EXPECT_CALL(scm, OpenManager(_)).WillOnce(Return(kManager));
        EXPECT_CALL(scm, OpenNamedService(kManager, _, _)).WillOnce(Return(nullptr));
        EXPECT_CALL(scm, LastError()).WillOnce(Return(kServiceDoesNotExist));
        EXPECT_EQ(control.Open(scm::kServiceName), kServiceDoesNotExist);
        ::testing::Mock::VerifyAndClearExpectations(&scm);
        EXPECT_CALL(scm, Close(kManager));
    }
}

TEST_F(ServiceControlTest, OpenTwiceClosesTheFirstHandles) {
    CServiceControl control(scm);
    OpenSuccessfully(control);
    {
        InSequence order;
        EXPECT_CALL(scm, Close(kManager));
        EXPECT_CALL(scm, OpenManager(_)).WillOnce(Return(kManager2));
        EXPECT_CALL(scm, Close(kService));
        EXPECT_CALL(scm, OpenNamedService(kManager2, _, _)).WillOnce(Return(kService2));
    }
    EXPECT_EQ(control.Open(scm::kServiceName), 0u);
    ::testing::Mock::VerifyAndClearExpectations(&scm);
    EXPECT_CALL(scm, Close(kManager2));
    EXPECT_CALL(scm, Close(kService2));
}

TEST_F(ServiceControlTest, SecondOpenThatCannotConnectKeepsTheServiceHandle) {
    CServiceControl control(scm);
    OpenSuccessfully(control);
    EXPECT_CALL(scm, Close(kManager));
    EXPECT_CALL(scm, OpenManager(_)).WillOnce(Return(nullptr));
    EXPECT_CALL(scm, LastError()).WillOnce(Return(kAccessDenied));
    EXPECT_EQ(control.Open(scm::kServiceName), kAccessDenied);
    ::testing::Mock::VerifyAndClearExpectations(&scm);

    // The old service handle still answers, and is closed exactly once at the end.
    EXPECT_CALL(scm, Start(kService)).WillOnce(Return(true));
    EXPECT_EQ(control.RequestStart(), 0u);
    EXPECT_CALL(scm, Close(kService));
}

TEST_F(ServiceControlTest, WithoutServiceHandleNothingReachesTheManager) {
    // Never opened, and opened without finding the service: no SCM call at all.
    {
        CServiceControl control(scm);
        EXPECT_FALSE(control.QueryRunning());
        EXPECT_EQ(control.RequestStart(), CServiceControl::kNoService);
        EXPECT_EQ(control.RequestStop(), CServiceControl::kNoService);
        EXPECT_EQ(static_cast<std::int32_t>(CServiceControl::kNoService), -1);
    }
    {
        CServiceControl control(scm);
        EXPECT_CALL(scm, OpenManager(_)).WillOnce(Return(kManager));
        EXPECT_CALL(scm, OpenNamedService(_, _, _)).WillOnce(Return(nullptr));
        EXPECT_CALL(scm, LastError()).WillOnce(Return(kServiceDoesNotExist));
        control.Open(scm::kServiceName);
        ::testing::Mock::VerifyAndClearExpectations(&scm);
        EXPECT_FALSE(control.QueryRunning());
        EXPECT_EQ(control.RequestStart(), CServiceControl::kNoService);
        EXPECT_EQ(control.RequestStop(), CServiceControl::kNoService);
        EXPECT_CALL(scm, Close(kManager));
    }
}

TEST_F(ServiceControlTest, OnlyTheRunningStateCountsAsRunning) {
    CServiceControl control(scm);
    OpenSuccessfully(control);
    // Stopped, start pending, stop pending, running, continue pending, pause
    // pending, paused.
    constexpr std::array<std::uint32_t, 7> kStates{1, 2, 3, 4, 5, 6, 7};
    for (const std::uint32_t state : kStates) {
        EXPECT_CALL(scm, QueryState(kService, _))
            .WillOnce(DoAll(SetArgReferee<1>(state), Return(true)));
        EXPECT_EQ(control.QueryRunning(), state == scm::kStateRunning) << "state " << state;
    }
    // A failed query reads as not running, whatever it left behind.
    EXPECT_CALL(scm, QueryState(kService, _))
        .WillOnce(DoAll(SetArgReferee<1>(scm::kStateRunning), Return(false)));
    EXPECT_FALSE(control.QueryRunning());
    EXPECT_CALL(scm, Close(_)).Times(2);
}

// The start and stop requests share their rules: answers 0 when the SCM accepts,
// 0 when it fails without a reason, and any other code unchanged.
// expectCall sets up the request's one SCM call to answer ok.
void CheckRequestResults(ScmDouble& scm, std::uint32_t (CServiceControl::*request)(),
                         const std::function<void(bool ok)>& expectCall,
                         std::uint32_t failureCode) {
    CServiceControl control(scm);
    EXPECT_CALL(scm, OpenManager(_)).WillOnce(Return(kManager));
    EXPECT_CALL(scm, OpenNamedService(_, _, _)).WillOnce(Return(kService));
    ASSERT_EQ(control.Open(scm::kServiceName), 0u);

    expectCall(true);
    EXPECT_EQ((control.*request)(), 0u);

    expectCall(false);
    EXPECT_CALL(scm, LastError()).WillOnce(Return(0u));
    EXPECT_EQ((control.*request)(), 0u);

    expectCall(false);
    EXPECT_CALL(scm, LastError()).WillOnce(Return(failureCode));
    EXPECT_EQ((control.*request)(), failureCode);

    EXPECT_CALL(scm, Close(_)).Times(2);
}

TEST_F(ServiceControlTest, StartReportsAcceptanceOrThePlatformCode) {
    // "Already running" is not treated specially.
    CheckRequestResults(
        scm, &CServiceControl::RequestStart,
        [&](bool ok) { EXPECT_CALL(scm, Start(kService)).WillOnce(Return(ok)); },
        kServiceAlreadyRunning);
}

TEST_F(ServiceControlTest, StopReportsAcceptanceOrThePlatformCode) {
    CheckRequestResults(
        scm, &CServiceControl::RequestStop,
        [&](bool ok) { EXPECT_CALL(scm, SendStop(kService)).WillOnce(Return(ok)); },
        kServiceNotActive);
}

} // namespace
