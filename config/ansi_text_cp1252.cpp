// Off Windows there is no system ANSI code page. The stand-in is code page 1252,
// the one of Western-European Windows: bytes 0x80 to 0x9F map as in that code
// page (its five unassigned bytes to the C1 controls of the same value, as
// Windows maps them), every other byte to the code point of the same value.
// Characters it cannot hold become '?', without best-fit replacements.
#include "config/ansi_text.h"

#include <array>

namespace {

constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr unsigned kHighFirst = 0x80;
constexpr unsigned kHighEnd = 0xA0;

char32_t ToCodePoint(unsigned char byte) {
    if (byte >= kHighFirst && byte < kHighEnd) {
        return kHighControls[byte - kHighFirst];
    }
    return byte;
}

char ToByte(char32_t codePoint) {
    if (codePoint < kHighFirst || (codePoint >= kHighEnd && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (unsigned index = 0; index < kHighControls.size(); ++index) {
        if (kHighControls[index] == codePoint) {
            return static_cast<char>(kHighFirst + index);
        }
    }
    return '?';
}

} // namespace

std::wstring AnsiToWide(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (const char byte : text) {
        wide.push_back(static_cast<wchar_t>(ToCodePoint(static_cast<unsigned char>(byte))));
    }
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    std::string ansi;
    ansi.reserve(text.size());
    for (const wchar_t unit : text) {
        ansi.push_back(ToByte(static_cast<char32_t>(unit)));
    }
    return ansi;
}

std::size_t AnsiCompletePrefix(std::string_view bytes) {
    // One byte is one character: no read can end inside a character.
    return bytes.size();
}
