#include "panel/rule_dlg_logic.h"

#include "panel/panel_texts.h"

std::wstring_view RuleEditorCaption(const CRuleEditorFields& fields) {
    return fields.editing ? texts::kEditRuleCaption : std::wstring_view{};
}

bool ConfirmRuleFields(CRuleEditorFields& fields, IMessageBoxOwner& owner) {
    if (fields.serverAddress.empty()) {
        owner.ShowMessage(MakeRequest(texts::kServerAddressMissing));
        return false;
    }
    if (fields.lastIp == 0) {
        fields.lastIp = fields.firstIp;
    }
    // Packed addresses compare unsigned, which is dotted order.
    if ((fields.firstIp == 0 && fields.lastIp == 0) || fields.firstIp > fields.lastIp) {
        owner.ShowMessage(MakeRequest(texts::kAddressRangeInvalid));
        return false;
    }
    return true;
}
