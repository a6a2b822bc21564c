#pragma once

#include "installer/tarnward_constants.h"

#include <string>

namespace tarnward {

// Test-only twin of Tarnward: instead of showing a message box it appends one record
// per box to the file this environment variable names.
inline constexpr const char* kMessageLogVariable = "TARNWARD_MESSAGE_LOG";

// One line per box: icon, caption and text separated by '|', the text's line feeds
// written as "\n".
inline std::string FormatMessageRecord(const MessageText& message) {
    std::string record = message.icon == MessageIcon::Error ? "error|" : "information|";
    record += message.caption;
    record += '|';
    for (const char* c = message.text; *c != '\0'; ++c) {
        if (*c == '\n') {
            record += "\\n";
        } else {
            record += *c;
        }
    }
    record += '\n';
    return record;
}

} // namespace tarnward
