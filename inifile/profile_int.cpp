#include "inifile/profile_int.h"

namespace inifile {

namespace {

// The digit's value in the base, or -1 when the character is not such a digit.
int DigitValue(char c, unsigned base) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20); // 'A' to 'F' become 'a' to 'f'
    return base == 16 && lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

} // namespace

std::int32_t ParseProfileInt(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t' ||
                                      text[position] == '\v' || text[position] == '\f')) {
        ++position;
    }
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    unsigned base = 10;
    if (text.substr(position, 2) == "0x") {
        base = 16;
        position += 2;
    }
    // Unsigned arithmetic wraps modulo 2^32, which is what makes -1062731519 and
    // 3232235777 the same address.
    std::uint32_t value = 0;
    for (; position < text.size(); ++position) {
        const int digit = DigitValue(text[position], base);
        if (digit < 0) {
            break;
        }
        value = value * base + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(negative ? 0U - value : value);
}

} // namespace inifile
