#include "panel_fixture.h"

#include "config/settings_names.h"
#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"
#include "testing/standin_harness/wait_until.h"

#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono_literals;

constexpr auto kInstallerPatience = 60s;
constexpr auto kScmLag = 10s;
constexpr char kFailureFolder[] = "e2e-failures";

// The build folder: the parent of bin\ where the test program runs.
std::string BuildFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

void SaveFailureScreenshot() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = BuildFolder() + kFailureFolder + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + test->test_suite_name() + "." + test->name() + ".bmp";
    if (screen::SaveScreenshot(path)) {
        std::printf("screenshot of the failure: %s\n", path.c_str());
    }
}

} // namespace

void PanelScenario::SetUp() {
    // Wine leaves the window frame to the window manager, and the test display has none:
    // let it draw the frame itself, so that the caption and its icon are on the screen.
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Decorated",
                              REG_SZ, L"N", sizeof L"N"),
              ERROR_SUCCESS);
    ASSERT_EQ(m_install.SetupError(), 0u);
    ASSERT_EQ(m_install.CopyProgram(kPanelProgram), 0u);
    ASSERT_EQ(m_install.CopyProgram(kInstallerProgram), 0u);
    ASSERT_TRUE(m_install.Unregister()) << "a registration from elsewhere is in the way";
    ASSERT_EQ(RunToEnd(m_install.PathOf(kInstallerProgram), "-i", kInstallerPatience), DWORD{0});
    ASSERT_TRUE(WaitUntil(
        [] { return service_registry::CurrentState(scm::kServiceName).has_value(); }, kScmLag));
}

void PanelScenario::TearDown() {
    if (HasFailure()) {
        SaveFailureScreenshot();
    }
    m_panel.Kill();
}

HWND PanelScenario::StartPanel() {
    if (m_panel.Start(m_install.PathOf(kPanelProgram)) != 0) {
        return nullptr;
    }
    return WaitForSheet(m_panel.Id());
}

std::string PanelScenario::SettingsPath() const {
    return m_install.PathOf(settings::kFileName);
}

bool PanelScenario::SettingsExist() const {
    return GetFileAttributesA(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string PanelScenario::SettingsText() const {
    return m_install.ReadFile(settings::kFileName);
}

void PanelScenario::WriteSettings(const std::string& text) const {
    ASSERT_EQ(m_install.WriteFile(settings::kFileName, text), 0u);
}

std::wstring PanelScenario::PanelFolder() const {
    return Widen(m_install.Folder());
}
