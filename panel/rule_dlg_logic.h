#pragma once

#include "panel/message_box.h"

#include <cstdint>
#include <string>
#include <string_view>

// The rule editor's values. Addresses are packed with the first dotted field in
// the most significant byte; 0 (0.0.0.0) means nothing was entered.
struct CRuleEditorFields {
    std::uint32_t firstIp = 0;
    std::uint32_t lastIp = 0;
    std::wstring serverAddress;
    std::wstring ruleName;
    // Editing an existing rule; only selects the caption.
    bool editing = false;
};

// The caption to set at initialisation, or empty to keep the template's "New Rule".
std::wstring_view RuleEditorCaption(const CRuleEditorFields& fields);

// The OK handler's check, on fields just read from the controls. An empty last
// address takes the first one. Returns true when the editor may close; otherwise
// it has told the user why and the editor stays open.
bool ConfirmRuleFields(CRuleEditorFields& fields, IMessageBoxOwner& owner);
