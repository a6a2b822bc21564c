#include "testing/panel_driver/panel_driving.h"

#include "testing/panel_driver/ui_driver.h"

#include "resources/tarnlink/resource_ids.h"
#include "testing/standin_harness/wait_until.h"

namespace {

using namespace std::chrono_literals;

// Wine may load the common controls and the rich edit library for the first time.
constexpr auto kPanelStartPatience = 30s;
// Coloured text of the status line has far more pixels than this; stray ones fewer.
constexpr int kMinColouredPixels = 15;

} // namespace

std::wstring Widen(const std::string& text) {
    return {text.begin(), text.end()};
}

HWND CPanelWindows::WaitForSheet(DWORD processId) {
    m_processId = processId;
    m_sheet = ui::WaitForDialog(processId, kSheetCaption, kPanelStartPatience);
    return m_sheet;
}

HWND CPanelWindows::ProxyPage() const {
    return ui::PageWithControl(m_sheet, IDC_START_STOP);
}

HWND CPanelWindows::ShowLogPage() const {
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

HWND CPanelWindows::ShowProxyPage() const {
    ui::SelectPage(m_sheet, 0);
    WaitUntil([&] { return ui::ActivePage(m_sheet) == ProxyPage(); }, ui::kUiPatience, 50ms);
    return ProxyPage();
}

HWND CPanelWindows::OpenNewRule() const {
    if (!ui::Click(ProxyPage(), IDC_NEW_RULE)) {
        return nullptr;
    }
    return ui::WaitForDialog(m_processId, kNewRuleCaption);
}

HWND CPanelWindows::OpenAboutBox() const {
    PostMessageW(m_sheet, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    return ui::WaitForDialog(m_processId, kAboutCaption);
}

bool CPanelWindows::AddRule(const std::wstring& name, std::uint32_t first, std::uint32_t last,
                            const std::wstring& server) const {
    HWND editor = OpenNewRule();
    if (editor == nullptr) {
        return false;
    }
    FillRule(editor, name, first, last, server);
    return ui::Click(editor, IDOK) && ui::WaitUntilDialogGone(m_processId, kNewRuleCaption);
}

bool CPanelWindows::WaitForServerState(const std::wstring& button, bool enabled,
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

bool CPanelWindows::WaitForColour(int controlId, screen::Colour colour) const {
    HWND control = GetDlgItem(ProxyPage(), controlId);
    return WaitUntil([&] { return screen::CountPixels(control, colour) >= kMinColouredPixels; },
                     ui::kUiPatience, 100ms);
}

void FillRule(HWND editor, const std::wstring& name, std::uint32_t first, std::uint32_t last,
              const std::wstring& server) {
    ui::SetControlText(editor, IDC_RULE_NAME, name);
    ui::SetIpAddress(editor, IDC_FIRST_IP, first);
    ui::SetIpAddress(editor, IDC_LAST_IP, last);
    ui::SetControlText(editor, IDC_SERVER, server);
}
