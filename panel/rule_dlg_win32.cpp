#include "panel/rule_dlg_win32.h"

#include "panel/message_box_win32.h"
#include "resources/tarnlink/resource_ids.h"

CRuleDlg::CRuleDlg() : CDialog(IDD_RULE) {}

void CRuleDlg::DoDataExchange(CDataExchange& dx) {
    CDialog::DoDataExchange(dx);
    DDX_IPAddress(dx, IDC_FIRST_IP, m_fields.firstIp);
    DDX_IPAddress(dx, IDC_LAST_IP, m_fields.lastIp);
    DDX_Text(dx, IDC_SERVER, m_fields.serverAddress);
    DDX_Text(dx, IDC_RULE_NAME, m_fields.ruleName);
}

bool CRuleDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const std::wstring_view caption = RuleEditorCaption(m_fields);
    if (!caption.empty()) {
        SetWindowText(std::wstring(caption));
    }
    return true;
}

void CRuleDlg::OnOK() {
    UpdateData(true);
    CWindowMessageBoxes messages(*this);
    // The fields are read once: an accepted editor closes with them as checked, the
    // last address filled in, without reading the controls again.
    if (ConfirmRuleFields(m_fields, messages)) {
        EndDialog(IDOK);
    }
}
