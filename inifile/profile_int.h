#pragma once

#include <cstdint>
#include <string_view>

namespace inifile {

// A value read as an integer the way kernel32 reads it: leading blanks, one
// optional sign, then decimal digits (or hexadecimal after "0x") up to the first
// other character, wrapped to 32 bits. Text without digits reads as 0.
std::int32_t ParseProfileInt(std::string_view text);

} // namespace inifile
