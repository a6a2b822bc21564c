#include "settings_text.h"

#include "config/settings_names.h"

namespace settings_text {
namespace {

std::string Line(const std::string& key, const std::string& value) {
    return key + "=" + value + "\r\n";
}

} // namespace

std::string MainSection(std::optional<int> rulesCount, std::optional<std::string> logFileName) {
    std::string text = std::string("[") + settings::kMainSection + "]\r\n";
    if (rulesCount) {
        text += Line(settings::kRulesCountKey, std::to_string(*rulesCount));
    }
    if (logFileName) {
        text += Line(settings::kLogFileNameKey, *logFileName);
    }
    return text;
}

std::string RuleSection(int number, const RuleValues& values) {
    return "[Rule" + std::to_string(number) + "]\r\n" + Line(settings::kNameKey, values.name) +
           Line(settings::kEnableKey, values.enable) +
           Line(settings::kSrcFirstIpKey, values.srcFirstIp) +
           Line(settings::kSrcLastIpKey, values.srcLastIp) +
           Line(settings::kTargetAddressKey, values.targetAddress);
}

} // namespace settings_text
