#pragma once

#include "dialogkit/basic_controls.h"
#include "dialogkit/display_scale.h"
#include "dialogkit/font.h"
#include "dialogkit/list_ctrl.h"
#include "dialogkit/property_page.h"
#include "panel/main_dlg_logic.h"
#include "panel/main_dlg_view.h"
#include "panel/message_box_win32.h"
#include "panel/static_ex_win32.h"
#include "service/scm_win32.h"

#include <string>
#include <vector>

// CMainDlg is the Proxy page of the main window: the rule list and the server's
// start and stop. Its behaviour is CMainDlgLogic; this class gives it the page's
// controls and the rule editor.
class CMainDlg : public CPropertyPage, private IMainDlgView {
public:
    CMainDlg();

    // What the main window asks when the user leaves with OK.
    CMainDlgLogic& Logic() { return m_logic; }

    // The window moved to a monitor with this DPI: the status font and the column
    // widths follow.
    void OnDpiChanged(unsigned dpi);
    // Enter: while the rule list has the focus it edits as a double click does and
    // answers true.
    bool EditOnEnter();

protected:
    MessageMap GetMessageMap() const override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    // The page keeps nothing to apply on the sheet's OK.
    void OnOK() override {}
    bool OnSetActive() override;

private:
    void OnNewRule();
    void OnStartStop() { m_logic.OnStartStop(); }
    void OnTimer(UINT_PTR id);
    void OnRemoveRule();
    void OnEditRule();
    // A double click or Enter: as Edit, but nothing at all without a selection.
    void EditSelectedRule();
    void OnRuleItemChanged(NMHDR* header, LRESULT* result);
    void OnRuleDblClk(NMHDR* header, LRESULT* result);
    void OnRuleKeyDown(NMHDR* header, LRESULT* result);
    void OnWebSite();

    // The status font at m_dpi, given to the status line.
    void CreateStatusFont();
    std::vector<int> SelectedRows() const;

    // IMainDlgView
    void ShowRules(const std::vector<RuleRow>& rows) override;
    void ShowServer(const ServerDisplay& display) override;
    void ShowNote(bool shown) override;
    std::uint32_t StartTimer(unsigned id, unsigned periodMs) override;

    void SetStartStopButton(std::wstring_view text, bool enabled);
    // Moves the keyboard focus to a control of the page, as the dialog's Tab does.
    void GiveFocusTo(HWND control);

    // The DPI the page's pixel sizes are scaled to.
    unsigned m_dpi = kDefaultDpi;
    CWin32Scm m_scm;
    CWindowMessageBoxes m_messages{*this};
    CMainDlgLogic m_logic;
    // True while the page fills the rule list itself: the list's notifications of
    // that are no change of the user's.
    bool m_bUpdating = false;
    CFont m_fontStatus;
    CListCtrl m_listRules;
    CStaticEx m_staticNote;
    CButton m_btnStartStop;
    std::wstring m_strStatus;
    CStaticEx m_staticStatus;
    // Where the focus went when the start/stop button was disabled while it had it;
    // nullptr otherwise.
    HWND m_focusLent = nullptr;
};
