#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The two conversions the decoder needs; tests substitute a multibyte code page.
struct AnsiCodec {
    std::size_t (*completePrefix)(std::string_view bytes);
    std::wstring (*toWide)(std::string_view bytes);
};

// The system's ANSI code page (config/ansi_text.h).
AnsiCodec SystemAnsiCodec();

// Converts a byte stream that arrives in pieces, such as successive reads of a
// log file, from the ANSI code page to UTF-16.
class CAnsiStreamDecoder {
public:
    explicit CAnsiStreamDecoder(AnsiCodec codec);

    // Appends the text of bytes to out. The bytes of a character that the next
    // piece completes are kept until then, so a split character is not garbled.
    // NUL bytes are dropped: the view takes zero-terminated text and would lose
    // everything after one.
    void Decode(std::string_view bytes, std::wstring& out);
    // Forgets kept bytes, for when the stream jumps.
    void Reset();

private:
    AnsiCodec m_codec;
    std::string m_pending;
};
