// The start/stop state machine, its timer and the messages of the service paths.
#include "main_dlg_fixture.h"

#include <gmock/gmock.h>

#include <string>

namespace {

using ::testing::NiceMock;

struct Display {
    const wchar_t* button;
    bool enabled;
    const wchar_t* status;
    std::uint32_t colour;
};

constexpr Display kStopped{L"Start", true, L"Server is Offline", colours::kOffline};
constexpr Display kRunning{L"Stop", true, L"Server is Online", colours::kOnline};
constexpr Display kStarting{L"Starting...", false, L"Server is Offline", colours::kOffline};
constexpr Display kStopping{L"Stopping...", false, L"Server is Online", colours::kOnline};

void ExpectDisplay(const FakeMainDlgView& view, const Display& expected) {
    EXPECT_EQ(view.buttonText, expected.button);
    EXPECT_EQ(view.buttonEnabled, expected.enabled);
    EXPECT_EQ(view.statusText, expected.status);
    EXPECT_EQ(view.statusColour, expected.colour);
}

class ProxyStateTest : public ProxyPageTest {
protected:
    void SetUp() override {
        ProxyPageTest::SetUp();
        SaveToFile({MakeRule("Office", 0x0A000001, 0x0A000009, "vpn.example")});
    }
    // The page in Starting, after a start request the SCM accepted.
    void StartAccepted() {
        Initialise(ScmDouble::kStopped);
        logic.OnStartStop();
        ASSERT_EQ(scm.starts, 1);
        ASSERT_FALSE(view.buttonEnabled);
    }
    void StopAccepted() {
        Initialise(ScmDouble::kRunning);
        logic.OnStartStop();
        ASSERT_EQ(scm.stops, 1);
        ASSERT_FALSE(view.buttonEnabled);
    }
    // The one message shown so far; an empty one, and a failure, otherwise.
    MessageRequest OnlyMessage() const {
        EXPECT_EQ(view.messages.size(), 1u);
        return view.messages.size() == 1 ? view.messages.at(0) : MessageRequest{};
    }
};

TEST_F(ProxyStateTest, InitialisationShowsTheServiceStateAndStartsTheTimer) {
    Initialise(ScmDouble::kStopped);
    ExpectDisplay(view, kStopped);
    EXPECT_EQ(scm.openedName, "TarnlinkServer");
    ASSERT_EQ(view.timers.size(), 1u);
    EXPECT_EQ(view.timers[0], std::make_pair(5u, 500u));

    FakeMainDlgView runningView;
    NiceMock<ScmDouble> runningScm;
    runningScm.state = ScmDouble::kRunning;
    CMainDlgLogic running(runningView, runningView, runningScm, settingsPath);
    ASSERT_EQ(running.Initialise(), 0u);
    ExpectDisplay(runningView, kRunning);
}

TEST_F(ProxyStateTest, ServiceThatCannotBeOpenedEndsTheProgramWithItsCode) {
    scm.serviceError = 1060;
    EXPECT_EQ(logic.Initialise(), 1060u);
    const MessageRequest notOpened = OnlyMessage();
    EXPECT_EQ(notOpened.text, L"Could not open Tarnlink Service, error = 1060");
    EXPECT_TRUE(notOpened.caption.empty());
    EXPECT_EQ(notOpened.icon, MessageIcon::None);
    EXPECT_TRUE(view.timers.empty());

    // Were the program to go on, a request without a service handle would read -1.
    view.messages.clear();
    logic.OnStartStop();
    EXPECT_EQ(OnlyMessage().text, L"Could not start Tarnlink Service, error = -1");
    EXPECT_EQ(scm.starts, 0);

    FakeMainDlgView deniedView;
    NiceMock<ScmDouble> denied;
    denied.managerError = 5;
    CMainDlgLogic page(deniedView, deniedView, denied, settingsPath);
    EXPECT_EQ(page.Initialise(), 5u);
    EXPECT_EQ(deniedView.messages.at(0).text, L"Could not open Tarnlink Service, error = 5");
}

TEST_F(ProxyStateTest, StartIsConfirmedAtTheFirstTickThatFindsTheServiceRunning) {
    StartAccepted();
    ExpectDisplay(view, kStarting);

    scm.state = ScmDouble::kStartPending;
    Tick(3);
    ExpectDisplay(view, kStarting);

    scm.state = ScmDouble::kRunning;
    Tick();
    ExpectDisplay(view, kRunning);
    EXPECT_TRUE(view.messages.empty());
    // Settled: later ticks leave the service alone.
    const int queries = scm.queries;
    Tick(25);
    EXPECT_EQ(scm.queries, queries);
}

TEST_F(ProxyStateTest, StartNotConfirmedTimesOutOnceAtTheTwentiethTick) {
    StartAccepted();
    Tick(19);
    ExpectDisplay(view, kStarting);
    EXPECT_TRUE(view.messages.empty());

    // Ticks keep arriving while the message is open; they must do nothing.
    int queriesDuringMessage = -1;
    view.onMessage = [&](const MessageRequest&) {
        const int before = scm.queries;
        Tick(3);
        queriesDuringMessage = scm.queries - before;
    };
    Tick();
    const MessageRequest timedOut = OnlyMessage();
    EXPECT_EQ(timedOut.text,
              L"Error: Server failed to change the status.\nPlease see log file for more info.");
    EXPECT_EQ(timedOut.icon, MessageIcon::None);
    EXPECT_EQ(queriesDuringMessage, 0);
    ExpectDisplay(view, kStopped);
    const int queries = scm.queries;
    Tick(5);
    EXPECT_EQ(scm.queries, queries);
    EXPECT_EQ(view.messages.size(), 1u);
}

TEST_F(ProxyStateTest, ServiceRunningExactlyAtTheTwentiethTickStillGetsTheMessage) {
    StartAccepted();
    Tick(19);
    scm.state = ScmDouble::kRunning;
    Tick();
    EXPECT_EQ(view.messages.size(), 1u);
    ExpectDisplay(view, kRunning);
}

TEST_F(ProxyStateTest, StopIsConfirmedByAnyStateButRunning) {
    StopAccepted();
    ExpectDisplay(view, kStopping);
    Tick(2);
    ExpectDisplay(view, kStopping);
    scm.state = ScmDouble::kStopPending;
    Tick();
    ExpectDisplay(view, kStopped);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ProxyStateTest, StopTimingOutEndsInTheStateTheServiceIsIn) {
    StopAccepted();
    Tick(20);
    EXPECT_EQ(view.messages.size(), 1u);
    ExpectDisplay(view, kRunning);

    logic.OnStartStop();
    Tick(19);
    scm.state = ScmDouble::kStopped;
    Tick();
    EXPECT_EQ(view.messages.size(), 2u);
    ExpectDisplay(view, kStopped);
}

TEST_F(ProxyStateTest, TicksWithoutAPendingChangeDoNotAskTheService) {
    Initialise(ScmDouble::kStopped);
    const int queries = scm.queries;
    scm.state = ScmDouble::kRunning;
    Tick(30);
    EXPECT_EQ(scm.queries, queries);
    ExpectDisplay(view, kStopped);
    EXPECT_FALSE(logic.OnTimer(6));
    EXPECT_TRUE(logic.OnTimer(5));
}

TEST_F(ProxyStateTest, RefusedRequestsKeepTheStateAndShowTheCode) {
    Initialise(ScmDouble::kStopped);
    scm.startError = 1058;
    logic.OnStartStop();
    const MessageRequest refused = OnlyMessage();
    EXPECT_EQ(refused.text, L"Could not start Tarnlink Service, error = 1058");
    EXPECT_EQ(refused.icon, MessageIcon::None);
    EXPECT_TRUE(refused.caption.empty());
    ExpectDisplay(view, kStopped);

    FakeMainDlgView stopView;
    NiceMock<ScmDouble> stopScm;
    stopScm.state = ScmDouble::kRunning;
    stopScm.stopError = 1061;
    CMainDlgLogic running(stopView, stopView, stopScm, settingsPath);
    ASSERT_EQ(running.Initialise(), 0u);
    running.OnStartStop();
    ASSERT_EQ(stopView.messages.size(), 1u);
    EXPECT_EQ(stopView.messages.at(0).text, L"Could not stop Tarnlink Service, error = 1061");
    ExpectDisplay(stopView, kRunning);
}

TEST_F(ProxyStateTest, WithoutItsTimerTheServiceIsNotAskedToChange) {
    // Only the timer would confirm the change: "Starting..." would stay for ever.
    view.timerErrors = {1450, 1450};
    Initialise(ScmDouble::kStopped);
    logic.OnStartStop();
    EXPECT_EQ(OnlyMessage().text, L"Could not start Tarnlink Service, error = 1450");
    EXPECT_EQ(scm.starts, 0);
    ExpectDisplay(view, kStopped);

    // Tried again at the next request; once it runs, the start goes ahead.
    view.messages.clear();
    logic.OnStartStop();
    EXPECT_EQ(scm.starts, 1);
    ExpectDisplay(view, kStarting);
    EXPECT_EQ(view.timers.size(), 3u);

    FakeMainDlgView stopView;
    stopView.timerErrors = {8};
    NiceMock<ScmDouble> stopScm;
    stopScm.state = ScmDouble::kRunning;
    CMainDlgLogic running(stopView, stopView, stopScm, settingsPath);
    ASSERT_EQ(running.Initialise(), 0u);
    stopView.timerErrors = {8};
    running.OnStartStop();
    ASSERT_EQ(stopView.messages.size(), 1u);
    EXPECT_EQ(stopView.messages.at(0).text, L"Could not stop Tarnlink Service, error = 8");
    EXPECT_EQ(stopScm.stops, 0);
    ExpectDisplay(stopView, kRunning);
}

TEST_F(ProxyStateTest, ButtonFollowsAServiceThatChangedByItself) {
    Initialise(ScmDouble::kStopped);
    scm.state = ScmDouble::kRunning;
    logic.OnStartStop();
    EXPECT_EQ(scm.starts, 0);
    ExpectDisplay(view, kRunning);

    scm.state = ScmDouble::kStopped;
    logic.OnStartStop();
    EXPECT_EQ(scm.stops, 0);
    ExpectDisplay(view, kStopped);
    EXPECT_TRUE(view.messages.empty());
}

} // namespace
