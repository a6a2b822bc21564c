#include "config/rules.h"

#include "config/conf_file.h"
#include "config/settings_names.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

std::string RuleSection(int number) {
    char name[32];
    std::snprintf(name, sizeof name, settings::kRuleSectionFormat, number);
    return name;
}

// The rule's five keys in their order; stops at the first failed write.
std::uint32_t WriteRule(const CConfFile& conf, const CRule& rule) {
    const std::pair<const char*, std::string> values[] = {
        {settings::kNameKey, rule.Name},
        {settings::kEnableKey, rule.Enable ? "1" : "0"},
        {settings::kSrcFirstIpKey, std::to_string(static_cast<std::int32_t>(rule.SrcFirstIp))},
        {settings::kSrcLastIpKey, std::to_string(static_cast<std::int32_t>(rule.SrcLastIp))},
        {settings::kTargetAddressKey, rule.TargetAddress}};
    for (const auto& [key, value] : values) {
        if (const std::uint32_t error = conf.WriteString(key, value); error != 0) {
            return error;
        }
    }
    return 0;
}

} // namespace

void CRules::Load(const std::string& settingsPath) {
    CConfFile conf(settingsPath, settings::kMainSection);
    const std::int32_t count =
        std::min(conf.ReadInt(settings::kRulesCountKey, 0), settings::kMaxRulesCount);
    if (count <= 0) {
        return;
    }
    reserve(size() + static_cast<std::size_t>(count));
    for (int number = 1; number <= count; ++number) {
        conf.m_strSection = RuleSection(number);
        CRule rule;
        rule.Name = conf.ReadString(settings::kNameKey, settings::kDefaultRuleName);
        rule.Enable = conf.ReadInt(settings::kEnableKey, 0) != 0;
        rule.SrcFirstIp = static_cast<std::uint32_t>(conf.ReadInt(settings::kSrcFirstIpKey, 0));
        rule.SrcLastIp = static_cast<std::uint32_t>(conf.ReadInt(settings::kSrcLastIpKey, 0));
        rule.TargetAddress =
            conf.ReadString(settings::kTargetAddressKey, settings::kDefaultTargetAddress);
        rule.TargetPort = settings::kPptpPort;
        push_back(rule);
    }
}

std::uint32_t CRules::Save(const std::string& settingsPath) const {
    return CConfFile(settingsPath, settings::kMainSection).StagedSave([this](CConfFile& conf) {
        if (const std::uint32_t error =
                conf.WriteInt(settings::kRulesCountKey, static_cast<std::int32_t>(size()));
            error != 0) {
            return error;
        }
        int number = 0;
        for (const CRule& rule : *this) {
            conf.m_strSection = RuleSection(++number);
            if (const std::uint32_t error = WriteRule(conf, rule); error != 0) {
                return error;
            }
        }
        return 0u;
    });
}
