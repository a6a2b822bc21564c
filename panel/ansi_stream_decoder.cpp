#include "panel/ansi_stream_decoder.h"

#include "config/ansi_text.h"

#include <algorithm>

namespace {

// No ANSI code page has characters longer than this; kept bytes beyond it are
// not a character in progress and are converted as they are.
constexpr std::size_t kLongestCharacter = 4;

} // namespace

AnsiCodec SystemAnsiCodec() {
    return {&AnsiCompletePrefix, &AnsiToWide};
}

CAnsiStreamDecoder::CAnsiStreamDecoder(AnsiCodec codec) : m_codec(codec) {}

void CAnsiStreamDecoder::Decode(std::string_view bytes, std::wstring& out) {
    m_pending.append(bytes);
    m_pending.erase(std::remove(m_pending.begin(), m_pending.end(), '\0'), m_pending.end());
    std::size_t complete = m_codec.completePrefix(m_pending);
    if (m_pending.size() - complete >= kLongestCharacter) {
        complete = m_pending.size();
    }
    out += m_codec.toWide(std::string_view(m_pending).substr(0, complete));
    m_pending.erase(0, complete);
}

void CAnsiStreamDecoder::Reset() {
    m_pending.clear();
}
