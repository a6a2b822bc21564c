#pragma once

#include <cstdint>

// The three INI primitives the settings store is built on; CConfFile is their one
// caller in the programs. They make every name and value single-line, then call the
// platform's own, which keep the same contracts (profile_backend.h), so that both builds
// store the same thing.
namespace profile {

// Copies the value (or the default) into buf, at most size - 1 bytes and a
// terminating zero; returns the bytes copied, 0 for an empty value.
using GetStringFunction = std::uint32_t(const char* section, const char* key,
                                        const char* defaultText, char* buf, std::uint32_t size,
                                        const char* file);
// Decimal with an optional sign, wrapped to 32 bits; the default when the key is
// missing or empty.
using GetIntFunction = std::int32_t(const char* section, const char* key, std::int32_t defaultValue,
                                    const char* file);
// Writes key=value, creating the file, section and key as needed. Returns 0, or the
// platform error code of the failure: a failure never reads as success.
using WriteStringFunction = std::uint32_t(const char* section, const char* key, const char* value,
                                          const char* file);

GetStringFunction GetString;
GetIntFunction GetInt;
// A value with blanks at an end or in quotes is quoted once more, so that it reads
// back as written.
WriteStringFunction WriteString;

} // namespace profile
