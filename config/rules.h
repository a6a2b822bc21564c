#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One redirection rule. Addresses hold the first dotted field in the most
// significant byte (10.0.0.1 is 0x0A000001) and compare unsigned.
class CRule {
public:
    std::string Name;
    std::uint32_t SrcFirstIp = 0;
    std::uint32_t SrcLastIp = 0;
    std::int32_t Reserved = 0;
    std::string TargetAddress;
    std::int32_t TargetPort = 0;
    bool Enable = false;
};

// The ordered rule list; rule k (from 0) lives in section Rule<k+1>.
class CRules : public std::vector<CRule> {
public:
    // Appends the rules found in the file; the list is not emptied first.
    void Load(const std::string& settingsPath);
    // Writes RulesCount and every rule into a copy of the file that replaces it
    // only when every write succeeded. Returns 0 then; otherwise the platform
    // error code of the first failure, and the file is left as it was.
    std::uint32_t Save(const std::string& settingsPath) const;
};
