#pragma once

#include <string_view>

namespace tarnward {

enum class Operation { Uninstall, Install, None };

// The command line without the program name: the name ends at the first character of
// code 0x20 or less outside double quotes; that and the following such characters are
// skipped too.
std::string_view ArgumentText(std::string_view commandLine);

// "-u" anywhere wins over "-i" anywhere; letters compare case-insensitively.
Operation ChooseOperation(std::string_view argumentText);

// "-q" anywhere, case-insensitively: no message box is shown.
bool IsQuiet(std::string_view argumentText);

} // namespace tarnward
