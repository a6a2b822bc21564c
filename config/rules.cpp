#include "config/rules.h"

#include "config/conf_file.h"
#include "config/profile_functions.h"
#include "config/settings_names.h"
#include "config/staged_file.h"

#include <algorithm>
#include <cstdio>
#include <utility>

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

// The rule's five keys in their order; stops at the first failed write.
std::uint32_t WriteRule(const CConfFile& conf, const CRule& rule) {
    const std::pair<const char*, std::string> values[] = {
        {settings::kNameKey, rule.Name},
        {settings::kEnableKey, rule.Enable ? "1" : "0"},
        {settings::kSrcFirstIpKey, std::to_string(static_cast<std::int32_t>(rule.SrcFirstIp))},
        {settings::kSrcLastIpKey, std::to_string(static_cast<std::int32_t>(rule.SrcLastIp))},
        {settings::kTargetAddressKey, rule.TargetAddress}};
    for (const auto& [key, value] : values) {
        if (const std::uint32_t error = WriteText(conf, key, value); error != 0) {
            return error;
        }
    }
    return 0;
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
    // Each profile write may rewrite the whole file, so a full disk or a crash among
    // them would leave it cut short, or a new count over old sections. The writes go
    // to a copy instead, which replaces the file only once all of them succeeded.
    StagedFile staged(settingsPath);
    if (staged.Error() != 0) {
        return staged.Error();
    }
    CConfFile conf(staged.CopyPath(), settings::kMainSection);
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
    return staged.Commit();
}
