#include "panel/text_format.h"

#include <cstddef>

std::wstring FillPlaceholders(std::wstring_view pattern,
                              std::initializer_list<std::wstring_view> values) {
    std::wstring result;
    result.reserve(pattern.size() + 16);
    auto next = values.begin();
    std::size_t i = 0;
    while (i < pattern.size()) {
        const bool placeholder = pattern[i] == L'%' && i + 1 < pattern.size() &&
                                 (pattern[i + 1] == L'd' || pattern[i + 1] == L's');
        if (placeholder && next != values.end()) {
            result += *next++;
            i += 2;
        } else {
            result += pattern[i++];
        }
    }
    return result;
}

MessageRequest FilledMessage(const PanelMessage& message,
                             std::initializer_list<std::wstring_view> values) {
    return MakeRequest(message, FillPlaceholders(message.text, values));
}

std::wstring SignedDecimal(std::uint32_t code) {
    return std::to_wstring(static_cast<std::int32_t>(code));
}
