#pragma once

#include <string>
#include <string_view>

namespace tarnsetup {

// Names the setup knows are ASCII: they match whatever the case of their letters. A
// name that differs only outside ASCII counts as another, which errs on refusing.
inline bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    const auto lower = [](wchar_t c) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    };
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The settings' and the service's names are 8-bit ASCII constants.
inline std::wstring Widen(const char* ascii) {
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

} // namespace tarnsetup
