#include "installer/command_line.h"

#include "installer/ascii_case.h"
#include "installer/tarnward_constants.h"

#include <string>

namespace tarnward {
namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
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
    std::string text(argumentText);
    LowerAscii(text);
    if (text.find(kUninstallSwitch) != std::string::npos) {
        return Operation::Uninstall;
    }
    if (text.find(kInstallSwitch) != std::string::npos) {
        return Operation::Install;
    }
    return Operation::None;
}

} // namespace tarnward
