#pragma once

#include "dialogkit/property_page.h"
#include "dialogkit/wnd.h"

#include <windows.h>

#include <string>
#include <vector>

// A modal property sheet with tabbed pages and its OK, Cancel, Apply (ID_APPLY_NOW) and
// Help (IDHELP) buttons, reachable with GetDlgItem. comctl32 keeps the sheet's DWLP_USER
// for itself and passes no data of ours to the sheet window, so a CBT hook subclasses that
// window from its creation on, with this object as the subclass's data: the map sees
// WM_CREATE and everything after it. (The sheet's PSCB_INITIALIZED callback carries no data
// either, and comctl32 calls it inside WM_INITDIALOG before the start page exists.)
class CPropertySheet : public CWnd {
public:
    // A sheet without owner that starts on its first page.
    explicit CPropertySheet(std::wstring caption);

    // Pages are shown in the order added; the sheet does not own them.
    void AddPage(CPropertyPage* page);

    // Runs the sheet until OK or Cancel closes it. Answers comctl32's result: positive
    // after changes were applied, 0 without, -1 when the sheet could not be created.
    INT_PTR DoModal();

protected:
    // Default: the sheet's own initialisation, which creates and shows the first page,
    // then centring on the work area of its monitor
    // (comctl32 leaves it where the system put it). Overrides call it first.
    virtual bool OnInitDialog();
    // Every WM_COMMAND of the sheet. Answer true when handled; false passes it to the
    // sheet's own processing (OK applies the pages and closes; commands the sheet does not
    // know go to the active page). Default: the sheet's message map.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

    bool OnWndMsg(const Message& message, LRESULT& result) override;

private:
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

    std::wstring m_caption;
    std::vector<CPropertyPage*> m_pages;
};
