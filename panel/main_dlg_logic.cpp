#include "panel/main_dlg_logic.h"

#include "config/ansi_text.h"
#include "panel/panel_texts.h"
#include "panel/text_format.h"
#include "service/service_values.h"

#include <algorithm>
#include <utility>

namespace {

// True while the rule list in memory differs from what was last saved. The program
// has one Proxy page, and only its logic writes the flag: set at every change of
// the list, cleared when Start saves it. User-interface thread only.
bool g_bSettingsModified = false;

// A rule's source: its first address, and its last one after a dash when they differ.
// Addresses carry the first dotted field in the most significant byte.
std::wstring SourceRangeText(std::uint32_t first, std::uint32_t last) {
    const auto format = [](std::wstring_view pattern, std::uint32_t address) {
        const auto field = [address](int shift) {
            return std::to_wstring((address >> shift) & 0xFFu);
        };
        return FillPlaceholders(pattern, {field(24), field(16), field(8), field(0)});
    };
    std::wstring text = format(texts::kAddressPattern, first);
    if (last != first) {
        text += format(texts::kRangeEndPattern, last);
    }
    return text;
}

} // namespace

CMainDlgLogic::CMainDlgLogic(IMainDlgView& view, IMessageBoxOwner& messages, IScmApi& scm,
                             std::string settingsPath)
    : m_view(view), m_messages(messages), m_settingsPath(std::move(settingsPath)), m_service(scm) {
    // Nothing is loaded yet, so nothing is modified.
    g_bSettingsModified = false;
}

std::uint32_t CMainDlgLogic::Initialise() {
    m_rules.Load(m_settingsPath);
    ShowRules();

    const std::uint32_t code = m_service.Open(scm::kServiceName);
    if (code != 0) {
        m_messages.ShowMessage(FilledMessage(texts::kOpenServiceFailed, {SignedDecimal(code)}));
        return code;
    }
    Settle(m_service.QueryRunning());
    m_timerError = m_view.StartTimer(kTimerId, kTimerPeriodMs);
    return 0;
}

void CMainDlgLogic::ShowRules() {
    std::vector<RuleRow> rows;
    rows.reserve(m_rules.size());
    for (const CRule& rule : m_rules) {
        rows.push_back({AnsiToWide(rule.Name), SourceRangeText(rule.SrcFirstIp, rule.SrcLastIp),
                        AnsiToWide(rule.TargetAddress), rule.Enable});
    }
    m_view.ShowRules(rows);
}

void CMainDlgLogic::MarkModified() {
    g_bSettingsModified = true;
    m_view.ShowNote(true);
}

CRuleEditorFields CMainDlgLogic::NewRuleFields() {
    CRuleEditorFields fields;
    fields.ruleName = texts::kNewRuleName;
    return fields;
}

CRule* CMainDlgLogic::RuleAt(int row) {
    return row >= 0 && static_cast<std::size_t>(row) < m_rules.size()
               ? &m_rules[static_cast<std::size_t>(row)]
               : nullptr;
}

std::optional<CRuleEditorFields> CMainDlgLogic::EditFields(int row) {
    if (row < 0) {
        m_messages.ShowMessage(MakeRequest(texts::kEditWithoutSelection));
    }
    const CRule* rule = RuleAt(row);
    if (rule == nullptr) {
        return std::nullopt;
    }
    return CRuleEditorFields{.firstIp = rule->SrcFirstIp,
                             .lastIp = rule->SrcLastIp,
                             .serverAddress = AnsiToWide(rule->TargetAddress),
                             .ruleName = AnsiToWide(rule->Name),
                             .editing = true};
}

void CMainDlgLogic::AddRule(const CRuleEditorFields& accepted) {
    m_rules.emplace_back().Enable = true;
    ReplaceRule(static_cast<int>(m_rules.size() - 1), accepted);
}

void CMainDlgLogic::ReplaceRule(int row, const CRuleEditorFields& accepted) {
    CRule* rule = RuleAt(row);
    if (rule == nullptr) {
        return;
    }
    // Enable, Reserved and TargetPort keep their values.
    rule->Name = WideToAnsi(accepted.ruleName);
    rule->TargetAddress = WideToAnsi(accepted.serverAddress);
    rule->SrcFirstIp = accepted.firstIp;
    rule->SrcLastIp = accepted.lastIp;
    MarkModified();
    ShowRules();
}

void CMainDlgLogic::RemoveRules(const std::vector<int>& selectedRows) {
    if (selectedRows.empty()) {
        m_messages.ShowMessage(MakeRequest(texts::kRemoveWithoutSelection));
        return;
    }
    // From the last row up, so that the rows still to go keep their indexes.
    for (auto row = selectedRows.rbegin(); row != selectedRows.rend(); ++row) {
        if (RuleAt(*row) != nullptr) {
            m_rules.erase(m_rules.begin() + *row);
        }
    }
    MarkModified();
    ShowRules();
}

void CMainDlgLogic::OnRuleChecked(int row, bool checked) {
    CRule* rule = RuleAt(row);
    if (rule != nullptr && checked != rule->Enable) {
        rule->Enable = checked;
        MarkModified();
    }
}

bool CMainDlgLogic::AreRulesModified() const {
    return g_bSettingsModified;
}

bool CMainDlgLogic::SaveRules() {
    const std::uint32_t code = m_rules.Save(m_settingsPath);
    if (code != 0) {
        m_messages.ShowMessage(FilledMessage(texts::kSettingsSaveFailed,
                                             {AnsiToWide(m_settingsPath), SignedDecimal(code)}));
    }
    return code == 0;
}

void CMainDlgLogic::OnStartStop() {
    if (m_bRunning) {
        StopClicked();
    } else {
        StartClicked();
    }
}

void CMainDlgLogic::StartClicked() {
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
        Settle(true);
        return;
    }
    RequestChange(&CServiceControl::RequestStart, texts::kStartServiceFailed,
                  texts::kStartingButton);
}

void CMainDlgLogic::StopClicked() {
    if (!m_service.QueryRunning()) {
        Settle(false);
        return;
    }
    RequestChange(&CServiceControl::RequestStop, texts::kStopServiceFailed, texts::kStoppingButton);
}

void CMainDlgLogic::RequestChange(std::uint32_t (CServiceControl::*request)(),
                                  const PanelMessage& failure, std::wstring_view pendingButton) {
    // Only the timer confirms the change; without it the pending button text would
    // stay for ever, so the request is not even made.
    std::uint32_t code = EnsureTimer();
    if (code == 0) {
        code = (m_service.*request)();
    }
    if (code != 0) {
        m_messages.ShowMessage(FilledMessage(failure, {SignedDecimal(code)}));
        return;
    }
    ShowServerState(pendingButton, false, true);
}

bool CMainDlgLogic::OnTimer(unsigned id) {
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
        Settle(false);
    }
    if (const bool running = m_service.QueryRunning(); running != m_bRunning) {
        Settle(running);
    }
    return true;
}

std::uint32_t CMainDlgLogic::EnsureTimer() {
    if (m_timerError != 0) {
        m_timerError = m_view.StartTimer(kTimerId, kTimerPeriodMs);
    }
    return m_timerError;
}

void CMainDlgLogic::OnSetActive() {
    if (g_bSettingsModified) {
        m_view.ShowNote(true);
    }
}

void CMainDlgLogic::ShowServerState(std::wstring_view buttonText, bool enabled, bool pending) {
    m_bPending = pending;
    m_nTicksLeft = pending ? kPendingTicks : 0;
    m_view.ShowServer({buttonText, enabled,
                       m_bRunning ? texts::kServerOnline : texts::kServerOffline,
                       m_bRunning ? colours::kOnline : colours::kOffline});
}

void CMainDlgLogic::Settle(bool running) {
    m_bRunning = running;
    ShowServerState(running ? texts::kStopButton : texts::kStartButton, true, false);
}
