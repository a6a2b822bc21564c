#pragma once

#include "dialogkit/property_sheet.h"
#include "panel/log_dlg_win32.h"
#include "panel/main_dlg_win32.h"
#include "panel/tarnlink_dlg_logic.h"
#include "panel/message_box_win32.h"

// The main window: a property sheet with the Proxy and Log pages, an About entry
// in its system menu, and the question whether to save modified rules on OK.
class CTarnlinkDlg : public CPropertySheet {
public:
    CTarnlinkDlg();
    ~CTarnlinkDlg() override;

protected:
    MessageMap GetMessageMap() const override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;

private:
    void OnSysCommand(UINT command, LPARAM parameter);
    void OnPaint();
    HICON OnQueryDragIcon();
    int OnCreate(CREATESTRUCTW* create);
    bool OnHelpInfo(HELPINFO* info);

    void OnDpiChanged(unsigned dpi, const RECT& suggested);

    void AddAboutMenuEntry();
    // The icons and the button row at m_dpi.
    void LoadIcons();
    void SetIcons();
    void PlaceButtons();

    unsigned m_dpi;
    HICON m_hIconSmall;
    HICON m_hIconBig;
    CMainDlg m_pageProxy;
    CLogDlg m_pageLog;
    CWindowMessageBoxes m_messages{*this};
    CTarnlinkDlgLogic m_logic;
};
