#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A double-byte code page in miniature: byte 0x81 leads, the next byte completes.
namespace mini_code_page {

inline constexpr unsigned char kLeadByte = 0x81;

inline std::size_t CompletePrefix(std::string_view bytes) {
    std::size_t complete = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        i += static_cast<unsigned char>(bytes[i]) == kLeadByte ? std::size_t{2} : std::size_t{1};
        if (i <= bytes.size()) {
            complete = i;
        }
    }
    return complete;
}

inline std::wstring ToWide(std::string_view bytes) {
    std::wstring wide;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == kLeadByte && i + 1 < bytes.size()) {
            wide += static_cast<wchar_t>(0x3000 + static_cast<unsigned char>(bytes[++i]));
        } else {
            wide += static_cast<wchar_t>(byte);
        }
    }
    return wide;
}

} // namespace mini_code_page
