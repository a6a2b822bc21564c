#pragma once

#include "dialogkit/dialog.h"
#include "panel/url_ctrl_win32.h"

// The About box: the product's name, icon, web site and support address, on white.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    MessageMap GetMessageMap() const override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    HBRUSH OnCtlColor(HDC dc, HWND child, UINT ctlColorKind);

    CUrlCtrl m_webLink;
    CUrlCtrl m_mailLink;
};
