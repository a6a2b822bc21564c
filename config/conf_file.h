#pragma once

#include <cstdint>
#include <string>

// Accessor of one section of one INI file; built on the stack for one load or
// save. The rule store re-points m_strSection to each rule section in turn.
class CConfFile {
public:
    CConfFile(std::string file, std::string section);

    // The value up to its first zero byte, or defaultText when that is missing or
    // empty; cut to 4999 bytes.
    std::string ReadString(const std::string& key, const std::string& defaultText) const;
    // Writes "%i" of value. Returns 0 or the platform error code.
    std::uint32_t WriteInt(const std::string& key, std::int32_t value) const;

    std::string m_strFile;
    std::string m_strSection;
};
