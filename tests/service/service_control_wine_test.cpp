// The controller against Wine's real Service Control Manager, with the stand-in
// proxy service installed from a temporary folder whose name holds a space.
#include "config/rules.h"
#include "config/settings_names.h"
#include "service/scm_win32.h"
#include "service/service_control.h"
#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"
#include "testing/standin_harness/standin_install.h"
#include "testing/standin_harness/wait_until.h"
#include "testing/standin_proxy/behaviour.h"
#include "testing/standin_proxy/log_lines.h"
#include "tests/support/make_rule.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

using namespace std::chrono_literals;

namespace {

// The panel allows 20 polls of 500 ms; Wine may lag a little on top.
constexpr auto kStateChangeWait = 15s;
constexpr auto kLogWait = 10s;

class ServiceControlWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A registration left behind by an aborted run would make ours fail.
        ASSERT_TRUE(service_registry::RemoveCompletely(scm::kServiceName));
        ASSERT_EQ(install.SetupError(), 0u);
        rules.push_back(MakeRule("Office", 0x0A000001u, 0x0A000009u, "vpn.example.com"));
        rules.push_back(MakeRule("Lab", 3232235777u, 3232236030u, "10.1.2.3", false));
        rules.Save(install.PathOf(settings::kFileName));
    }

    void TearDown() override {
        // Our handles would keep the registration alive past its deletion.
        control.reset();
        EXPECT_TRUE(install.Unregister());
    }

    // Registers the stand-in with the given behaviour and opens it.
    void InstallAndOpen(const standin::Behaviour& behaviour) {
        ASSERT_EQ(install.WriteBehaviour(behaviour), 0u);
        ASSERT_EQ(install.Register(), 0u);
        control.emplace(scmApi);
        ASSERT_EQ(control->Open(scm::kServiceName), 0u);
    }

    bool WaitForRunning(bool running) {
        return WaitUntil([&] { return control->QueryRunning() == running; }, kStateChangeWait);
    }

    std::string Log() const { return install.ReadFile(settings::kDefaultLogFileName); }

    bool WaitForLogLine(const std::string& line) const {
        return WaitUntil([&] { return Log().find(line) != std::string::npos; }, kLogWait);
    }

    CStandinInstall install;
    CRules rules;
    CWin32Scm scmApi;
    std::optional<CServiceControl> control;
};

TEST_F(ServiceControlWineTest, OpenFindsTheServiceOnlyOnceItIsInstalled) {
    control.emplace(scmApi);
    EXPECT_EQ(control->Open(scm::kServiceName),
              static_cast<std::uint32_t>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_FALSE(control->QueryRunning());
    EXPECT_EQ(control->RequestStart(), CServiceControl::kNoService);
    EXPECT_EQ(control->RequestStop(), CServiceControl::kNoService);

    // Opening again on the same controller replaces the first handles.
    ASSERT_EQ(install.Register(), 0u);
    EXPECT_EQ(control->Open(scm::kServiceName), 0u);
    EXPECT_FALSE(control->QueryRunning());
}

TEST_F(ServiceControlWineTest, StartsRunsAndStopsWithItsLog) {
    InstallAndOpen({});
    EXPECT_EQ(control->RequestStart(), 0u);
    ASSERT_TRUE(WaitForRunning(true));
    EXPECT_EQ(control->RequestStart(), static_cast<std::uint32_t>(ERROR_SERVICE_ALREADY_RUNNING));

    // The log is readable while the service holds it open.
    ASSERT_TRUE(WaitForLogLine(standin::kStartedLine));
    const std::string running = Log();
    for (std::size_t i = 0; i < rules.size(); ++i) {
        EXPECT_NE(running.find(standin::FormatRuleLine(i + 1, rules[i])), std::string::npos)
            << "rule " << i + 1 << " in:\n"
            << running;
    }
    EXPECT_NE(running.find(standin::FormatRulesLoadedLine(rules.size(),
                                                          install.PathOf(settings::kFileName))),
              std::string::npos)
        << running;
    EXPECT_EQ(running.find(standin::kStoppedLine), std::string::npos);

    EXPECT_EQ(control->RequestStop(), 0u);
    ASSERT_TRUE(WaitForRunning(false));
    EXPECT_TRUE(WaitForLogLine(standin::kStoppedLine));

    // A second cycle appends to the same log. "Not running" includes stop
    // pending, when a start is still refused as already running.
    ASSERT_TRUE(WaitUntil(
        [] { return service_registry::CurrentState(scm::kServiceName) == SERVICE_STOPPED; },
        kStateChangeWait));
    EXPECT_EQ(control->RequestStart(), 0u);
    ASSERT_TRUE(WaitForRunning(true));
    EXPECT_EQ(control->RequestStop(), 0u);
    ASSERT_TRUE(WaitForRunning(false));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string log = Log();
            const auto first = log.find(standin::kStoppedLine);
            return first != std::string::npos &&
                   log.find(standin::kStoppedLine, first + 1) != std::string::npos;
        },
        kLogWait));
}

TEST_F(ServiceControlWineTest, LogGoesWhereSettingsSayAndSurvivesTruncation) {
    const std::string logName = "Service log.txt";
    ASSERT_TRUE(WritePrivateProfileStringA(settings::kMainSection, settings::kLogFileNameKey,
                                           install.PathOf(logName).c_str(),
                                           install.PathOf(settings::kFileName).c_str()));
    InstallAndOpen({standin::Mode::LogRate, 50});
    ASSERT_EQ(control->RequestStart(), 0u);
    ASSERT_TRUE(WaitForRunning(true));
    const auto logHas = [&](const std::string& text) {
        return WaitUntil([&] { return install.ReadFile(logName).find(text) != std::string::npos; },
                         kLogWait);
    };
    ASSERT_TRUE(logHas(standin::FormatRunningLine(10)));
    EXPECT_EQ(Log(), "") << "nothing goes to the default log";

    // Another process empties the file while the service writes: the service
    // carries on at the new end instead of leaving a gap of zeros.
    HANDLE file = CreateFileA(install.PathOf(logName).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
    ASSERT_TRUE(WaitUntil([&] { return install.ReadFile(logName).size() > 200; }, kLogWait));
    const std::string after = install.ReadFile(logName);
    EXPECT_EQ(after.find('\0'), std::string::npos);
    EXPECT_EQ(after.find(standin::kStartingLine), std::string::npos);

    EXPECT_EQ(control->RequestStop(), 0u);
    ASSERT_TRUE(WaitForRunning(false));
    EXPECT_TRUE(logHas(standin::kStoppedLine));
}

TEST_F(ServiceControlWineTest, SlowStartIsNotRunningUntilItIsUp) {
    InstallAndOpen({standin::Mode::SlowStart, 3});
    const auto requested = std::chrono::steady_clock::now();
    EXPECT_EQ(control->RequestStart(), 0u);
    EXPECT_FALSE(control->QueryRunning());
    ASSERT_TRUE(WaitForRunning(true));
    EXPECT_GE(std::chrono::steady_clock::now() - requested, 2s);
    EXPECT_EQ(control->RequestStop(), 0u);
    EXPECT_TRUE(WaitForRunning(false));
}

TEST_F(ServiceControlWineTest, ServiceThatExitsDuringStartNeverRuns) {
    InstallAndOpen({standin::Mode::ExitAtOnce, 0});
    // Whether the manager reports the early exit to the starter is its own
    // affair; the panel learns the outcome from its polling.
    control->RequestStart();
    // Once it has written its last line it is gone, however slow the machine.
    ASSERT_TRUE(WaitForLogLine(standin::kExitingLine));
    EXPECT_FALSE(WaitUntil([&] { return control->QueryRunning(); }, 1s));
    EXPECT_EQ(Log().find(standin::kStartedLine), std::string::npos);
}

TEST_F(ServiceControlWineTest, IgnoredStopLeavesTheServiceRunning) {
    InstallAndOpen({standin::Mode::IgnoreStop, 0});
    ASSERT_EQ(control->RequestStart(), 0u);
    ASSERT_TRUE(WaitForRunning(true));
    EXPECT_EQ(control->RequestStop(), 0u);
    // It has answered the stop by ignoring it: from then on it reports running.
    ASSERT_TRUE(WaitForLogLine(standin::kStopIgnoredLine));
    EXPECT_TRUE(control->QueryRunning());
    // TearDown has to end the process itself.
}

} // namespace
