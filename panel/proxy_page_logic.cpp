#include "panel/proxy_page_logic.h"

#include "config/ansi_text.h"
#include "panel/panel_texts.h"
#include "panel/rule_row_text.h"
#include "panel/status_colours.h"
#include "panel/text_format.h"
#include "service/service_values.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

// True while the rule list in memory differs from what was last saved. The program
// has one Proxy page, and only its logic writes the flag: set at every change of
// the list, cleared when Start saves it. User-interface thread only.
bool g_bSettingsModified = false;

} // namespace

CProxyPageLogic::CProxyPageLogic(IProxyPageView& view, IMessageBoxOwner& messages, IScmApi& scm,
                                 std::string settingsPath)
    : m_view(view), m_messages(messages), m_settingsPath(std::move(settingsPath)), m_service(scm) {
    // Nothing is loaded yet, so nothing is modified.
    g_bSettingsModified = false;
}

bool CProxyPageLogic::Initialise() {
    m_rules.Load(m_settingsPath);
    FillRuleList();

    const std::uint32_t code = m_service.Open(scm::kServiceName);
    if (code != 0) {
        ShowFailure(texts::kOpenServiceFailed, code);
        // The code is the exit status, so that whoever started the panel sees why.
        m_view.EndProgram(code);
        return false;
    }
    if (m_service.QueryRunning()) {
        SettleToRunning();
    } else {
        SettleToStopped();
    }
    m_timerError = m_view.StartTimer(kTimerId, kTimerPeriodMs);
    return true;
}

void CProxyPageLogic::FillRuleList() {
    m_bUpdating = true;
    m_view.DeleteAllRows();
    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        const CRule& rule = m_rules[i];
        const int row = static_cast<int>(i);
        m_view.InsertRow(row, AnsiToWide(rule.Name));
        m_view.SetRowText(row, IProxyPageView::kSourceColumn,
                          SourceRangeText(rule.SrcFirstIp, rule.SrcLastIp));
        m_view.SetRowText(row, IProxyPageView::kDestinationColumn, AnsiToWide(rule.TargetAddress));
        m_view.SetRowChecked(row, rule.Enable);
    }
    m_bUpdating = false;
}

void CProxyPageLogic::MarkModified() {
    g_bSettingsModified = true;
    m_view.ShowNote(true);
}

void CProxyPageLogic::OnNewRule() {
    CRuleEditorFields fields;
    fields.ruleName = texts::kNewRuleName;
    if (!m_view.EditRuleModal(fields)) {
        return;
    }
    CRule rule;
    rule.Name = WideToAnsi(fields.ruleName);
    rule.TargetAddress = WideToAnsi(fields.serverAddress);
    rule.SrcFirstIp = fields.firstIp;
    rule.SrcLastIp = fields.lastIp;
    rule.Enable = true;
    m_rules.push_back(rule);
    MarkModified();
    FillRuleList();
}

void CProxyPageLogic::OnEditRule() {
    const int row = m_view.NextSelectedRow(-1);
    if (row < 0) {
        m_messages.ShowMessage(MakeRequest(texts::kEditWithoutSelection));
        return;
    }
    const auto index = static_cast<std::size_t>(row);
    if (index >= m_rules.size()) {
        return;
    }
    const CRule original = m_rules[index];
    CRuleEditorFields fields;
    fields.editing = true;
    fields.ruleName = AnsiToWide(original.Name);
    fields.firstIp = original.SrcFirstIp;
    fields.lastIp = original.SrcLastIp;
    fields.serverAddress = AnsiToWide(original.TargetAddress);
    if (!m_view.EditRuleModal(fields)) {
        return;
    }
    CRule& rule = m_rules[index];
    rule.Name = WideToAnsi(fields.ruleName);
    rule.TargetAddress = WideToAnsi(fields.serverAddress);
    rule.SrcFirstIp = fields.firstIp;
    rule.SrcLastIp = fields.lastIp;
    MarkModified();
    FillRuleList();
}

void CProxyPageLogic::OnRemoveRule() {
    if (m_view.NextSelectedRow(-1) < 0) {
        m_messages.ShowMessage(MakeRequest(texts::kRemoveWithoutSelection));
        return;
    }
    m_bUpdating = true;
    // Row and rule go at the same index, which keeps the two in step without a
    // rebuild. A row the control keeps would stay selected and be found again:
    // the loop stops there, and the count of rows bounds it whatever the control
    // answers.
    int rowsLeft = static_cast<int>(m_rules.size());
    for (int row = m_view.NextSelectedRow(-1); row >= 0 && rowsLeft-- > 0;
         row = m_view.NextSelectedRow(-1)) {
        if (!m_view.DeleteRow(row)) {
            break;
        }
        const auto index = static_cast<std::size_t>(row);
        if (index < m_rules.size()) {
            m_rules.erase(m_rules.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }
    MarkModified();
    m_bUpdating = false;
}

void CProxyPageLogic::OnRuleItemChanged(int row, bool stateChanged) {
    if (!stateChanged || m_bUpdating || row < 0 ||
        static_cast<std::size_t>(row) >= m_rules.size()) {
        return;
    }
    const bool checked = m_view.IsRowChecked(row);
    CRule& rule = m_rules[static_cast<std::size_t>(row)];
    if (checked != rule.Enable) {
        rule.Enable = checked;
        MarkModified();
    }
}

void CProxyPageLogic::OnRuleDoubleClick() {
    if (m_view.NextSelectedRow(-1) >= 0) {
        OnEditRule();
    }
}

bool CProxyPageLogic::AreRulesModified() const {
    return g_bSettingsModified;
}

bool CProxyPageLogic::SaveRules() {
    const std::uint32_t code = m_rules.Save(m_settingsPath);
    if (code == 0) {
        return true;
    }
    m_messages.ShowMessage(
        MakeRequest(texts::kSettingsSaveFailed,
                    FillPlaceholders(texts::kSettingsSaveFailed.text,
                                     {AnsiToWide(m_settingsPath), SignedDecimal(code)})));
    return false;
}

void CProxyPageLogic::OnStartStop() {
    if (m_bRunning) {
        StopClicked();
    } else {
        StartClicked();
    }
}

void CProxyPageLogic::StartClicked() {
    if (m_rules.empty()) {
        m_messages.ShowMessage(MakeRequest(texts::kNoRuleToRun));
        return;
    }
    if (std::none_of(m_rules.begin(), m_rules.end(), [](const CRule& r) { return r.Enable; })) {
        m_messages.ShowMessage(MakeRequest(texts::kNoEnabledRuleToRun));
        return;
    }
    // The service reads the file when it starts, so a start over an unsaved list
    // would run rules the user never saw; the flag and the note stay as they are.
    if (!SaveRules()) {
        return;
    }
    g_bSettingsModified = false;
    m_view.ShowNote(false);

    if (m_service.QueryRunning()) {
        SettleToRunning();
        return;
    }
    RequestChange(&CServiceControl::RequestStart, texts::kStartServiceFailed,
                  texts::kStartingButton);
}

void CProxyPageLogic::StopClicked() {
    if (!m_service.QueryRunning()) {
        SettleToStopped();
        return;
    }
    RequestChange(&CServiceControl::RequestStop, texts::kStopServiceFailed, texts::kStoppingButton);
}

void CProxyPageLogic::RequestChange(std::uint32_t (CServiceControl::*request)(),
                                    const PanelMessage& failure, std::wstring_view pendingButton) {
    // Only the timer confirms the change; without it the pending button text would
    // stay for ever, so the request is not even made.
    std::uint32_t code = EnsureTimer();
    if (code == 0) {
        code = (m_service.*request)();
    }
    if (code != 0) {
        ShowFailure(failure, code);
        return;
    }
    ShowServerState(pendingButton, false, true);
}

void CProxyPageLogic::ShowFailure(const PanelMessage& message, std::uint32_t code) {
    m_messages.ShowMessage(
        MakeRequest(message, FillPlaceholders(message.text, {SignedDecimal(code)})));
}

bool CProxyPageLogic::OnTimer(unsigned id) {
    if (id != kTimerId) {
        return false;
    }
    if (!m_bPending) {
        return true;
    }
    if (--m_nTicksLeft == 0) {
        // Cleared before the message: ticks keep coming while it is open and must
        // neither poll nor show it again.
        m_bPending = false;
        m_messages.ShowMessage(MakeRequest(texts::kStatusChangeTimedOut));
        SettleToStopped();
    }
    const bool running = m_service.QueryRunning();
    if (m_bRunning && !running) {
        SettleToStopped();
    } else if (!m_bRunning && running) {
        SettleToRunning();
    }
    return true;
}

std::uint32_t CProxyPageLogic::EnsureTimer() {
    if (m_timerError != 0) {
        m_timerError = m_view.StartTimer(kTimerId, kTimerPeriodMs);
    }
    return m_timerError;
}

void CProxyPageLogic::OnSetActive() {
    if (g_bSettingsModified) {
        m_view.ShowNote(true);
    }
}

void CProxyPageLogic::ShowServerState(std::wstring_view buttonText, bool enabled, bool pending) {
    m_view.SetStartStopButton(buttonText, enabled);
    m_bPending = pending;
    m_nTicksLeft = pending ? kPendingTicks : 0;
    if (m_bRunning) {
        m_view.SetStatus(texts::kServerOnline, colours::kOnline);
    } else {
        m_view.SetStatus(texts::kServerOffline, colours::kOffline);
    }
}

void CProxyPageLogic::SettleToRunning() {
    m_bRunning = true;
    ShowServerState(texts::kStopButton, true, false);
}

void CProxyPageLogic::SettleToStopped() {
    m_bRunning = false;
    ShowServerState(texts::kStartButton, true, false);
}
