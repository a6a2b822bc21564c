#include "config/profile_backend.h"

#include "inifile/ini_file_cache.h"
#include "inifile/profile_int.h"

#include <algorithm>
#include <cstring>

namespace profile::backend {

namespace {

inifile::CIniFileCache& Cache() {
    static inifile::CIniFileCache cache;
    return cache;
}

} // namespace

std::uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buf,
                        std::uint32_t size, const char* file) {
    if (size == 0) {
        return 0;
    }
    const std::optional<std::string> value = Cache().Read(file, section, key);
    const std::string_view text = value ? std::string_view(*value) : std::string_view(defaultText);
    const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(buf, text.data(), copied);
    buf[copied] = '\0';
    return static_cast<std::uint32_t>(copied);
}

std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                    const char* file) {
    const std::optional<std::string> value = Cache().Read(file, section, key);
    if (!value || value->empty()) {
        return defaultValue;
    }
    return inifile::ParseProfileInt(*value);
}

std::uint32_t WriteString(const char* section, const char* key, const char* value,
                          const char* file) {
    return static_cast<std::uint32_t>(Cache().Write(file, section, key, value));
}

} // namespace profile::backend
