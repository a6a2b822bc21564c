#pragma once

#include <cstdint>
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

// An address with the first dotted field in the high byte.
constexpr std::uint32_t Ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return (a << 24) | (b << 16) | (c << 8) | d;
}
