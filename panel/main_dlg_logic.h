#pragma once

#include "config/rules.h"
#include "panel/main_dlg_view.h"
#include "panel/message_box.h"
#include "panel/rule_dlg_logic.h"
#include "service/scm_api.h"
#include "service/service_control.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Behaviour of the Proxy page: the rule list, the rule commands, and the start/stop
// state machine polled by timer 5. The Win32 page runs the rule editor itself and
// hands over what the user did; this shows the outcome through IMainDlgView.
class CMainDlgLogic {
public:
    static constexpr unsigned kTimerId = 5;
    static constexpr unsigned kTimerPeriodMs = 500;
    // Ticks a start or stop may take before it counts as failed.
    static constexpr int kPendingTicks = 20;

    // messages are owned by the page; settingsPath is the full path of
    // "Settings.ini"; scm reaches the service.
    CMainDlgLogic(IMainDlgView& view, IMessageBoxOwner& messages, IScmApi& scm,
                  std::string settingsPath);

    // Loads and shows the rules, opens the service and shows its state, then starts the
    // timer. Returns 0, or the error of opening the service: the user has been told, and
    // the program is to end with it as its exit status.
    std::uint32_t Initialise();

    // What the rule editor starts from for a new rule.
    static CRuleEditorFields NewRuleFields();
    // What it starts from to edit the rule at row, the first selected one; nothing when
    // there is no such rule, after telling the user when no row is selected (-1).
    std::optional<CRuleEditorFields> EditFields(int row);
    // What the user accepted in the editor: a new enabled rule at the end of the list,
    // or the new values of the rule at row.
    void AddRule(const CRuleEditorFields& accepted);
    void ReplaceRule(int row, const CRuleEditorFields& accepted);
    // The rules of the selected rows (lowest first) go; with none, the user is told.
    void RemoveRules(const std::vector<int>& selectedRows);
    // The user ticked or cleared the check box of row.
    void OnRuleChecked(int row, bool checked);

    void OnStartStop();
    // Returns false for timers that are not the page's, to go to default handling.
    bool OnTimer(unsigned id);
    void OnSetActive();

    // What the main window asks when the user leaves with OK: whether the rule list
    // differs from what was last saved, and its save to "Settings.ini". On failure
    // the user has been told and false is returned, so nothing is lost silently.
    bool AreRulesModified() const;
    bool SaveRules();

    const CRules& Rules() const { return m_rules; }

private:
    // The rule shown in row, or nullptr when there is none.
    CRule* RuleAt(int row);
    void ShowRules();
    void MarkModified();
    void ShowServerState(std::wstring_view buttonText, bool enabled, bool pending);
    // Shows the service running or stopped, with nothing pending.
    void Settle(bool running);
    void StartClicked();
    void StopClicked();
    // Asks the service for a start or a stop and shows it pending, or tells the user
    // the failure's code.
    void RequestChange(std::uint32_t (CServiceControl::*request)(), const PanelMessage& failure,
                       std::wstring_view pendingButton);
    std::uint32_t EnsureTimer();

    IMainDlgView& m_view;
    IMessageBoxOwner& m_messages;
    std::string m_settingsPath;

    CRules m_rules;
    bool m_bRunning = false;
    bool m_bPending = false;
    int m_nTicksLeft = 0;
    CServiceControl m_service;
    // The error of the last attempt to start timer 5, 0 while it runs.
    std::uint32_t m_timerError = 0;
};
