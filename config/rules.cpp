#include "config/rules.h"

#include "config/conf_file.h"
#include "config/profile_functions.h"
#include "config/settings_names.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string RuleSection(int number) {
    char name[32];
    std::snprintf(name, sizeof name, settings::kRuleSectionFormat, number);
    return name;
}

std::int32_t ReadInt(const CConfFile& conf, const char* key) {
    return profile::GetInt(conf.m_strSection.c_str(), key, 0, conf.m_strFile.c_str());
}

std::uint32_t WriteText(const CConfFile& conf, const char* key, const std::string& value) {
    return profile::WriteString(conf.m_strSection.c_str(), key, value.c_str(),
                                conf.m_strFile.c_str());
}

// Keeps the first failure: that is the one the caller reports.
void Note(std::uint32_t& firstError, std::uint32_t result) {
    if (firstError == 0) {
        firstError = result;
    }
}

} // namespace

void CRules::Load(const std::string& settingsPath) {
    CConfFile conf(settingsPath, settings::kMainSection);
    const std::int32_t count =
        std::min(ReadInt(conf, settings::kRulesCountKey), settings::kMaxRulesCount);
    if (count <= 0) {
        return;
    }
    reserve(size() + static_cast<std::size_t>(count));
    for (int number = 1; number <= count; ++number) {
        conf.m_strSection = RuleSection(number);
        CRule rule;
        rule.Name = conf.ReadString(settings::kNameKey, settings::kDefaultRuleName);
        rule.Enable = ReadInt(conf, settings::kEnableKey) != 0;
        rule.SrcFirstIp = static_cast<std::uint32_t>(ReadInt(conf, settings::kSrcFirstIpKey));
        rule.SrcLastIp = static_cast<std::uint32_t>(ReadInt(conf, settings::kSrcLastIpKey));
        rule.TargetAddress =
            conf.ReadString(settings::kTargetAddressKey, settings::kDefaultTargetAddress);
        rule.TargetPort = settings::kPptpPort;
        push_back(rule);
    }
}

std::uint32_t CRules::Save(const std::string& settingsPath) const {
    CConfFile conf(settingsPath, settings::kMainSection);
    std::uint32_t firstError = 0;
    // Every write is tried even after a failure, as the file may take later ones.
    Note(firstError, conf.WriteInt(settings::kRulesCountKey, static_cast<std::int32_t>(size())));
    int number = 0;
    for (const CRule& rule : *this) {
        conf.m_strSection = RuleSection(++number);
        Note(firstError, WriteText(conf, settings::kNameKey, rule.Name));
        Note(firstError, conf.WriteInt(settings::kEnableKey, rule.Enable ? 1 : 0));
        Note(firstError,
             conf.WriteInt(settings::kSrcFirstIpKey, static_cast<std::int32_t>(rule.SrcFirstIp)));
        Note(firstError,
             conf.WriteInt(settings::kSrcLastIpKey, static_cast<std::int32_t>(rule.SrcLastIp)));
        Note(firstError, WriteText(conf, settings::kTargetAddressKey, rule.TargetAddress));
    }
    return firstError;
}
