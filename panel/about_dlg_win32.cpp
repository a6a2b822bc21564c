#include "panel/about_dlg_win32.h"

#include "dialogkit/display_scale.h"
#include "panel/about_dlg_links.h"
#include "resources/tarnlink/resource_ids.h"

#include <array>

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

MessageMap CAboutDlg::GetMessageMap() const {
    static constexpr std::array kMap{on::CtlColor<&CAboutDlg::OnCtlColor>()};
    return kMap;
}

void CAboutDlg::DoDataExchange(CDataExchange& dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_WEB_LINK, m_webLink);
    DDX_Control(dx, IDC_MAIL_LINK, m_mailLink);
}

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_webLink.SetWindowText(WebSiteLinkText());
    m_mailLink.SetWindowText(SupportMailLinkText());
    // The focus goes to the first control in tab order, the OK button.
    return true;
}

HBRUSH CAboutDlg::OnCtlColor(HDC dc, HWND child, UINT ctlColorKind) {
    // In high contrast the theme's colours stay.
    if (IsHighContrastOn()) {
        return CDialog::OnCtlColor(dc, child, ctlColorKind);
    }
    ::SetBkMode(dc, TRANSPARENT);
    CDialog::OnCtlColor(dc, child, ctlColorKind);
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}
