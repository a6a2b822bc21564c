#pragma once

#include "config/rules.h"
#include "panel/message_box.h"
#include "panel/proxy_page_view.h"
#include "panel/rules_saver.h"
#include "service/scm_api.h"
#include "service/service_control.h"

#include <cstdint>
#include <string>
#include <string_view>

// Behaviour of the Proxy page: the rule list and its rows, the rule commands, and
// the start/stop state machine polled by timer 5. The Win32 page forwards its
// events here and implements IProxyPageView.
class CProxyPageLogic : public IRulesSaver {
public:
    static constexpr unsigned kTimerId = 5;
    static constexpr unsigned kTimerPeriodMs = 500;
    // Ticks a start or stop may take before it counts as failed.
    static constexpr int kPendingTicks = 20;

    // messages are owned by the page; settingsPath is the full path of
    // "Settings.ini"; scm reaches the service.
    CProxyPageLogic(IProxyPageView& view, IMessageBoxOwner& messages, IScmApi& scm,
                    std::string settingsPath);
    CProxyPageLogic(const CProxyPageLogic&) = delete;
    CProxyPageLogic& operator=(const CProxyPageLogic&) = delete;
    ~CProxyPageLogic() override = default;

    // Loads the rules, fills the rows, opens the service and shows its state, then
    // starts the timer. When the service cannot be opened the user is told and the
    // program ends; false is returned for the case that ending returns.
    bool Initialise();

    void OnNewRule();
    void OnEditRule();
    void OnRemoveRule();
    // An item-changed notification of row; stateChanged when its state changed.
    void OnRuleItemChanged(int row, bool stateChanged);
    void OnRuleDoubleClick();
    void OnStartStop();
    // Returns false for timers that are not the page's, to go to default handling.
    bool OnTimer(unsigned id);
    void OnSetActive();

    bool AreRulesModified() const override;
    bool SaveRules() override;

    const CRules& Rules() const { return m_rules; }

private:
    void FillRuleList();
    void MarkModified();
    void ShowServerState(std::wstring_view buttonText, bool enabled, bool pending);
    void SettleToRunning();
    void SettleToStopped();
    void StartClicked();
    void StopClicked();
    // Asks the service for a start or a stop and shows it pending, or tells the user
    // the failure's code.
    void RequestChange(std::uint32_t (CServiceControl::*request)(), const PanelMessage& failure,
                       std::wstring_view pendingButton);
    void ShowFailure(const PanelMessage& message, std::uint32_t code);
    std::uint32_t EnsureTimer();

    IProxyPageView& m_view;
    IMessageBoxOwner& m_messages;
    std::string m_settingsPath;

    CRules m_rules;
    bool m_bRunning = false;
    bool m_bPending = false;
    int m_nTicksLeft = 0;
    CServiceControl m_service;
    bool m_bUpdating = false;
    // The error of the last attempt to start timer 5, 0 while it runs.
    std::uint32_t m_timerError = 0;
};
