#include "dialogkit/property_page.h"

#include "dialogkit/command_ids.h"
#include "dialogkit/resources.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId) {
    m_page.dwSize = sizeof m_page;
    m_page.dwFlags = PSP_DEFAULT;
    m_page.hInstance = ResourceModule();
    m_page.pszTemplate = ResourceName(templateId);
    m_page.pfnDlgProc = &PageProc;
    m_page.lParam = reinterpret_cast<LPARAM>(this);
}

void CPropertyPage::SetHasHelp(bool hasHelp) {
    if (hasHelp)
        m_page.dwFlags |= PSP_HASHELP;
    else
        m_page.dwFlags &= ~static_cast<DWORD>(PSP_HASHELP);
}

bool CPropertyPage::OnSetActive() {
    if (m_firstActivation)
        m_firstActivation = false; // OnInitDialog has just filled the controls
    else
        UpdateData(false);
    return true;
}

void CPropertyPage::OnOK() {}

bool CPropertyPage::OnWndMsg(const Message& message, LRESULT& result) {
    if (message.message == WM_INITDIALOG) {
        m_firstActivation = true;
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

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CPropertyPage* starting = nullptr;
    if (message == WM_INITDIALOG)
        starting = reinterpret_cast<CPropertyPage*>(
            reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    return RouteMessage(hwnd, message, wParam, lParam, starting);
}
