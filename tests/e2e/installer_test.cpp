#include "panel_fixture.h"

#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"
#include "testing/standin_harness/wait_until.h"

// Tarnward as the installation and removal procedures run it, around a set-up that
// has already run "Tarnward.exe -i" once.
namespace {

class Installer : public PanelScenario {};

using namespace std::chrono_literals;

bool IsRegistered() {
    return service_registry::CurrentState(scm::kServiceName).has_value();
}

TEST_F(Installer, InstallingTwiceThenUninstallingExitsWithZeroAndLeavesNoService) {
    // A message box would hold the program open until the time-out.
    EXPECT_EQ(RunToEnd(m_install.PathOf(kInstallerProgram), "-i", 60s), DWORD{0});
    EXPECT_TRUE(WaitUntil(IsRegistered, 10s));
    EXPECT_EQ(RunToEnd(m_install.PathOf(kInstallerProgram), "-u", 60s), DWORD{0});
    EXPECT_TRUE(WaitUntil([] { return !IsRegistered(); }, 10s));
}

} // namespace
