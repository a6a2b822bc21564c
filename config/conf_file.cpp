#include "config/conf_file.h"

#include "config/profile_functions.h"
#include "config/staged_file.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// Values are read through a 5000-byte buffer, so a longer value is cut to 4999 bytes.
constexpr std::uint32_t kReadBufferSize = 5000;

} // namespace

CConfFile::CConfFile(std::string file, std::string section)
    : m_strFile(std::move(file)), m_strSection(std::move(section)) {}

std::string CConfFile::ReadString(const std::string& key, const std::string& defaultText) const {
    std::string buffer(kReadBufferSize, '\0');
    const std::uint32_t copied =
        profile::GetString(m_strSection.c_str(), key.c_str(), defaultText.c_str(), buffer.data(),
                           kReadBufferSize, m_strFile.c_str());
    // The value is text up to its first zero byte, as the store writes it: a zero
    // byte put into the file by hand must not give a name that saves differently.
    buffer.resize(std::min<std::size_t>(copied, kReadBufferSize - 1));
    buffer.erase(std::min(buffer.find('\0'), buffer.size()));
    if (buffer.empty()) {
        return defaultText;
    }
    return buffer;
}

std::int32_t CConfFile::ReadInt(const std::string& key, std::int32_t defaultValue) const {
    return profile::GetInt(m_strSection.c_str(), key.c_str(), defaultValue, m_strFile.c_str());
}

std::uint32_t CConfFile::WriteString(const std::string& key, const std::string& value) const {
    return profile::WriteString(m_strSection.c_str(), key.c_str(), value.c_str(),
                                m_strFile.c_str());
}

std::uint32_t CConfFile::WriteInt(const std::string& key, std::int32_t value) const {
    char text[100];
    std::snprintf(text, sizeof text, "%i", value);
    return WriteString(key, text);
}

std::uint32_t
CConfFile::StagedSave(const std::function<std::uint32_t(CConfFile& copy)>& writes) const {
    // Each profile write may rewrite the whole file, so a full disk or a crash among
    // them would leave it cut short, or a new count over old sections.
    CStagedFile staged(m_strFile);
    if (staged.Error() != 0) {
        return staged.Error();
    }
    CConfFile copy(staged.CopyPath(), m_strSection);
    if (const std::uint32_t error = writes(copy); error != 0) {
        return error;
    }
    return staged.Commit();
}
