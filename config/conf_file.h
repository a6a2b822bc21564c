#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Accessor of one section of one INI file, and the only way the settings file is read
// and written; built on the stack for one load or save. The rule store re-points
// m_strSection to each rule section in turn.
class CConfFile {
public:
    CConfFile(std::string file, std::string section);

    // The value up to its first zero byte, or defaultText when that is missing or
    // empty; cut to 4999 bytes.
    std::string ReadString(const std::string& key, const std::string& defaultText) const;
    // Decimal with an optional sign, wrapped to 32 bits; defaultValue when the value is
    // missing or empty.
    std::int32_t ReadInt(const std::string& key, std::int32_t defaultValue) const;
    // The writes go into the file at once (a save writes into its copy, below) and
    // return 0 or the platform error code. WriteInt writes "%i" of value.
    std::uint32_t WriteString(const std::string& key, const std::string& value) const;
    std::uint32_t WriteInt(const std::string& key, std::int32_t value) const;

    // The settings' save: writes runs on an accessor of this section of a copy of the
    // file made beside it, which takes the file's place only when writes answers 0, so a
    // save that stops halfway (full disk, crash) leaves the file as it was. Returns 0 or
    // the error that stopped the save.
    std::uint32_t StagedSave(const std::function<std::uint32_t(CConfFile& copy)>& writes) const;

    std::string m_strFile;
    std::string m_strSection;
};
