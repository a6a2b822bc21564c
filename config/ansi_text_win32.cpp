#include "config/ansi_text.h"

#include <windows.h>

#include <climits>

namespace {

// The conversion calls take int lengths; a 32-bit process never holds 2 GiB of text.
int ClampedLength(std::size_t length) {
    return length < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(length) : INT_MAX;
}

} // namespace

std::wstring AnsiToWide(std::string_view text) {
    const int length = ClampedLength(text.size());
    if (length == 0) {
        return {};
    }
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
    return wide;
}

std::string WideToAnsi(std::wstring_view text) {
    const int length = ClampedLength(text.size());
    if (length == 0) {
        return {};
    }
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), needed, nullptr, nullptr);
    return ansi;
}

std::size_t AnsiCompletePrefix(std::string_view bytes) {
    // Trail bytes can look like lead bytes, so walk character by character from the start.
    std::size_t position = 0;
    while (position < bytes.size()) {
        const std::size_t width = IsDBCSLeadByte(static_cast<BYTE>(bytes[position])) ? 2 : 1;
        if (position + width > bytes.size()) {
            break;
        }
        position += width;
    }
    return position;
}
