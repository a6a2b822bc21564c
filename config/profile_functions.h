#pragma once

#include <cstdint>

// The three INI primitives the settings store is built on. On Windows they are
// kernel32's GetPrivateProfileStringA, GetPrivateProfileIntA and
// WritePrivateProfileStringA; elsewhere the own profile layer in inifile/.
namespace profile {

// Copies the value (or the default) into buf, at most size - 1 bytes and a
// terminating zero; returns the bytes copied, 0 for an empty value.
std::uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buf,
                        std::uint32_t size, const char* file);

// Decimal with an optional sign, wrapped to 32 bits; the default when the key is
// missing or empty.
std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                    const char* file);

// Writes key=value, creating the file, section and key as needed; a value with
// blanks at an end or in quotes is quoted once more, so that it reads back as
// written. Returns 0, or the platform error code of the failure.
std::uint32_t WriteString(const char* section, const char* key, const char* value,
                          const char* file);

} // namespace profile
