#pragma once

#include <cstdint>

// The platform's own INI primitives: kernel32 on Windows, inifile/ elsewhere.
// Only profile_functions.cpp calls them, after it has made every name and value
// single-line, so both builds store the same thing.
namespace profile::backend {

std::uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buf,
                        std::uint32_t size, const char* file);

std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                    const char* file);

// Returns 0, or a non-zero platform error code: a failure never reads as success.
std::uint32_t WriteString(const char* section, const char* key, const char* value,
                          const char* file);

} // namespace profile::backend
