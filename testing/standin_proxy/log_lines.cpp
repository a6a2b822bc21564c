#include "testing/standin_proxy/log_lines.h"

#include <cstdint>

namespace standin {
namespace {

std::string Dotted(std::uint32_t address) {
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFFu) + '.' +
           std::to_string((address >> 8) & 0xFFu) + '.' + std::to_string(address & 0xFFu);
}

} // namespace

std::string FormatBehaviourLine(std::string_view behaviour) {
    return "Behaviour: " + std::string(behaviour);
}

std::string FormatRulesLoadedLine(std::size_t count, std::string_view settingsPath) {
    return "Loaded " + std::to_string(count) + (count == 1 ? " rule from " : " rules from ") +
           std::string(settingsPath);
}

std::string FormatRuleLine(std::size_t position, const CRule& rule) {
    return "Rule " + std::to_string(position) + " \"" + rule.Name +
           "\": " + (rule.Enable ? "enabled" : "disabled") + ", " + Dotted(rule.SrcFirstIp) + '-' +
           Dotted(rule.SrcLastIp) + " -> " + rule.TargetAddress;
}

std::string FormatRunningLine(unsigned long long number) {
    return "Running, line " + std::to_string(number);
}

} // namespace standin
