#include "dialogkit/property_page.h"

#include "dialogkit/command_ids.h"
#include "dialogkit/resources.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = ResourceModule();
    m_psp.pszTemplate = ResourceName(templateId);
    m_psp.pfnDlgProc = &DialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(static_cast<CDialog*>(this));
}

void CPropertyPage::SetHasHelp(bool hasHelp) {
    if (hasHelp)
        m_psp.dwFlags |= PSP_HASHELP;
    else
        m_psp.dwFlags &= ~static_cast<DWORD>(PSP_HASHELP);
}

bool CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = false; // OnInitDialog has just filled the controls
    else
        UpdateData(false);
    return true;
}

void CPropertyPage::OnOK() {}

bool CPropertyPage::OnWndMsg(const Message& message, LRESULT& result) {
    if (message.message == WM_INITDIALOG) {
        m_bFirstSetActive = true;
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    }
    if (message.message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.lParam);
        // Only the page's own sheet speaks in PSN_ codes; a child's code may collide.
        if (header != nullptr && header->hwndFrom == ::GetParent(m_hWnd) &&
            OnSheetNotify(*header, result))
            return true;
    }
    // Not CDialog's: IDOK and IDCANCEL belong to the sheet, not to its pages.
    return CWnd::OnWndMsg(message, result);
}

bool CPropertyPage::OnSheetNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        return true;
    case PSN_APPLY:
        OnOK();
        result = PSNRET_NOERROR;
        return true;
    case PSN_HELP:
        SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
        result = 0;
        return true;
    default:
        return false;
    }
}
