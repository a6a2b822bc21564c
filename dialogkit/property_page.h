#pragma once

#include "dialogkit/dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

class CPropertySheet;

// One page of a property sheet, built from a child dialog template whose caption is the
// tab's text. Its window is created when the sheet first shows it.
class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // With help, the sheet's Help button is enabled while this page is active, and pressing
    // it sends the help command (ID_HELP) to this page's message map.
    void SetHasHelp(bool hasHelp);

protected:
    // The page is about to be shown. Default: on every activation after the first, the
    // fields to the controls. Answer false to refuse the activation.
    virtual bool OnSetActive();
    // The sheet's OK or Apply. Default: nothing.
    void OnOK() override;

    bool OnWndMsg(const Message& message, LRESULT& result) override;

private:
    friend class CPropertySheet;

    bool OnSheetNotify(const NMHDR& header, LRESULT& result);

    // The procedure of pages, whose WM_INITDIALOG carries the PROPSHEETPAGEW that comctl32
    // copied from m_page, with this object as its lParam.
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    PROPSHEETPAGEW m_page{};
    bool m_firstActivation = true;
};
