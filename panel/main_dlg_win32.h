#pragma once

#include "dialogkit/basic_controls.h"
#include "dialogkit/display_scale.h"
#include "dialogkit/font.h"
#include "dialogkit/list_ctrl.h"
#include "dialogkit/property_page.h"
#include "panel/message_box_win32.h"
#include "panel/proxy_page_logic.h"
#include "panel/proxy_page_view.h"
#include "panel/rules_saver.h"
#include "panel/static_ex_win32.h"
#include "service/scm_win32.h"

#include <string>

// CMainDlg is the Proxy page of the main window: the rule list and the server's
// start and stop. Its behaviour is CProxyPageLogic; this class gives it the page's
// controls.
class CMainDlg : public CPropertyPage, private IProxyPageView {
public:
    CMainDlg();

    // What the main window asks when the user leaves with OK: whether the rules are
    // modified, and their save to "Settings.ini".
    IRulesSaver& RulesSaver() { return m_logic; }

    // The product's web site in the browser: the answer of both pages to Help.
    static void OpenWebSite();

    // The window moved to a monitor with this DPI: the status font and the column
    // widths follow.
    void OnDpiChanged(unsigned dpi);
    // Enter in the rule list: it edits as a double click does.
    bool HasRuleListFocus() const;
    void EditFocusedRule() { m_logic.OnRuleDoubleClick(); }

protected:
    MessageMap GetMessageMap() const override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    // The page keeps nothing to apply on the sheet's OK.
    void OnOK() override {}
    bool OnSetActive() override;

private:
    void OnNewRule();
    void OnStartStop();
    void OnTimer(UINT_PTR id);
    void OnRemoveRule();
    void OnEditRule();
    void OnRuleItemChanged(NMHDR* header, LRESULT* result);
    void OnRuleDblClk(NMHDR* header, LRESULT* result);
    void OnRuleKeyDown(NMHDR* header, LRESULT* result);
    void OnWebSite();

    // The status font at m_dpi, given to the status line.
    void CreateStatusFont();

    // IProxyPageView
    void SetStartStopButton(std::wstring_view text, bool enabled) override;
    void SetStatus(std::wstring_view text, std::uint32_t colour) override;
    void ShowNote(bool shown) override;
    void DeleteAllRows() override;
    void InsertRow(int row, std::wstring_view name) override;
    void SetRowText(int row, int column, std::wstring_view text) override;
    void SetRowChecked(int row, bool checked) override;
    bool IsRowChecked(int row) override;
    bool DeleteRow(int row) override;
    int NextSelectedRow(int after) override;
    bool EditRuleModal(CRuleEditorFields& fields) override;
    std::uint32_t StartTimer(unsigned id, unsigned periodMs) override;
    void EndProgram(std::uint32_t exitCode) override;

    // Moves the keyboard focus to a control of the page, as the dialog's Tab does.
    void GiveFocusTo(HWND control);

    // The DPI the page's pixel sizes are scaled to.
    unsigned m_dpi = kDefaultDpi;
    CWin32Scm m_scm;
    CWindowMessageBoxes m_messages{*this};
    CProxyPageLogic m_logic;
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
