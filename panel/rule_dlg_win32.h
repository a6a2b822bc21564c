#pragma once

#include "dialogkit/dialog.h"
#include "panel/rule_dlg_logic.h"

// The rule editor: a rule name, a source address range and the VPN server.
class CRuleDlg : public CDialog {
public:
    CRuleDlg();

    // Set before DoModal; after IDOK they hold what the dialog showed.
    CRuleEditorFields m_fields;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
};
