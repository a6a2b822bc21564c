#pragma once

#include <optional>
#include <string>

// "Settings.ini" exactly as the control panel leaves it through the Windows profile
// functions under Wine: "[section]" and "key=value" lines ending in CRLF, no blank
// lines, sections and keys in the order they were first written.
namespace settings_text {

// A rule section's values as they stand in the file (addresses as signed decimals).
struct RuleValues {
    std::string name;
    std::string enable;
    std::string srcFirstIp;
    std::string srcLastIp;
    std::string targetAddress;
};

std::string MainSection(std::optional<int> rulesCount, std::optional<std::string> logFileName);
std::string RuleSection(int number, const RuleValues& values);

} // namespace settings_text
