#include "panel_fixture.h"

#include "config/settings_names.h"
#include "resources/tarnlink/resource_ids.h"
#include "service/service_values.h"
#include "testing/standin_harness/service_registry.h"
#include "testing/standin_harness/wait_until.h"

#include <cstdio>

namespace {

using namespace std::chrono_literals;

constexpr auto kInstallerPatience = 60s;
constexpr auto kScmLag = 10s;
// Wine may load the common controls and the rich edit library for the first time.
constexpr auto kPanelStartPatience = 30s;
// Coloured text of the status line has far more pixels than this; stray ones fewer.
constexpr int kMinColouredPixels = 15;
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

std::wstring Widen(const std::string& text) {
    return {text.begin(), text.end()};
}

void PanelScenario::SetUp() {
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
    m_sheet = ui::WaitForDialog(m_panel.Id(), kSheetCaption, kPanelStartPatience);
    return m_sheet;
}

HWND PanelScenario::ProxyPage() const {
    return ui::PageWithControl(m_sheet, IDC_START_STOP);
}

HWND PanelScenario::ShowLogPage() const {
    ui::SelectPage(m_sheet, 1);
    HWND page = nullptr;
    WaitUntil(
        [&] {
            page = ui::PageWithControl(m_sheet, IDC_LOG_PATH);
            return page != nullptr && ui::ActivePage(m_sheet) == page;
        },
        ui::kUiPatience, 50ms);
    return page;
}

HWND PanelScenario::ShowProxyPage() const {
    ui::SelectPage(m_sheet, 0);
    WaitUntil([&] { return ui::ActivePage(m_sheet) == ProxyPage(); }, ui::kUiPatience, 50ms);
    return ProxyPage();
}

bool PanelScenario::AddRule(const std::wstring& name, std::uint32_t first, std::uint32_t last,
                            const std::wstring& server) const {
    if (!ui::Click(ProxyPage(), IDC_NEW_RULE)) {
        return false;
    }
    HWND editor = ui::WaitForDialog(PanelId(), L"New Rule");
    if (editor == nullptr) {
        return false;
    }
    ui::SetControlText(editor, IDC_RULE_NAME, name);
    ui::SetIpAddress(editor, IDC_FIRST_IP, first);
    ui::SetIpAddress(editor, IDC_LAST_IP, last);
    ui::SetControlText(editor, IDC_SERVER, server);
    return ui::Click(editor, IDOK) && ui::WaitUntilDialogGone(PanelId(), L"New Rule");
}

bool PanelScenario::WaitForServerState(const std::wstring& button, bool enabled,
                                       const std::wstring& status) const {
    HWND page = ProxyPage();
    return WaitUntil(
        [&] {
            return ui::ControlText(page, IDC_START_STOP) == button &&
                   ui::IsEnabled(page, IDC_START_STOP) == enabled &&
                   ui::ControlText(page, IDC_STATUS) == status;
        },
        ui::kUiPatience, 50ms);
}

bool PanelScenario::WaitForColour(int controlId, screen::Colour colour) const {
    HWND control = GetDlgItem(ProxyPage(), controlId);
    return WaitUntil([&] { return screen::CountPixels(control, colour) >= kMinColouredPixels; },
                     ui::kUiPatience, 100ms);
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
