#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The one place where text crosses between the UTF-16 user interface and the
// 8-bit strings of the settings file and the log: the system's ANSI code page
// on Windows; off Windows a stand-in for code page 1252.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// Length of the longest prefix of bytes that does not end inside a multibyte
// character, so that a character split across two reads is converted whole.
std::size_t AnsiCompletePrefix(std::string_view bytes);
