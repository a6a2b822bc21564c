#include "installer/command_line.h"

#include "installer/ascii_case.h"
#include "installer/tarnward_constants.h"

#include <string>

namespace tarnward {
namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// Plain lower-casing is enough here: a '-' is never the trail byte of a double-byte
// character, so neither is the letter after it.
bool HasSwitch(std::string_view argumentText, const char* switchText) {
    std::string text(argumentText);
    LowerAscii(text);
    return text.find(switchText) != std::string::npos;
}

} // namespace

std::string_view ArgumentText(std::string_view commandLine) {
    std::size_t pos = 0;
    bool quoted = false;
    for (; pos < commandLine.size(); ++pos) {
        const char c = commandLine[pos];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && IsBlankOrControl(c)) {
            break;
        }
    }
    while (pos < commandLine.size() && IsBlankOrControl(commandLine[pos])) {
        ++pos;
    }
    return commandLine.substr(pos);
}

Operation ChooseOperation(std::string_view argumentText) {
    if (HasSwitch(argumentText, kUninstallSwitch)) {
        return Operation::Uninstall;
    }
    if (HasSwitch(argumentText, kInstallSwitch)) {
        return Operation::Install;
    }
    return Operation::None;
}

bool IsQuiet(std::string_view argumentText) {
    return HasSwitch(argumentText, kQuietSwitch);
}

} // namespace tarnward
