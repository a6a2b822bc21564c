#include "setup/tarnsetup/install_path.h"

#include "setup/tarnsetup/ascii_names.h"

#include <array>

namespace tarnsetup {
namespace {

constexpr std::wstring_view kForbiddenCharacters = L"<>:\"/|?*";

// CON, NUL, COM1... name devices whatever the extension: "nul.txt" is NUL.
bool IsDeviceName(std::wstring_view name) {
    static constexpr std::array<std::wstring_view, 6> kPlain{L"CON", L"PRN",    L"AUX",
                                                             L"NUL", L"CONIN$", L"CONOUT$"};
    const std::wstring_view stem = name.substr(0, name.find(L'.'));
    for (const std::wstring_view device : kPlain) {
        if (EqualsNoCase(stem, device)) {
            return true;
        }
    }
    return stem.size() == 4 &&
           (EqualsNoCase(stem.substr(0, 3), L"COM") || EqualsNoCase(stem.substr(0, 3), L"LPT")) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

bool IsPlainName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L".." || name.back() == L'.' ||
        name.back() == L' ' || IsDeviceName(name)) {
        return false;
    }
    for (const wchar_t c : name) {
        if (c < 0x20 || kForbiddenCharacters.find(c) != std::wstring_view::npos) {
            return false;
        }
    }
    return true;
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

} // namespace

std::wstring InstallPath::Prefix(std::size_t count) const {
    std::wstring path = root;
    for (std::size_t i = 0; i < count && i < components.size(); ++i) {
        if (i > 0) {
            path += L'\\';
        }
        path += components[i];
    }
    return path;
}

std::optional<InstallPath> ParseInstallPath(std::wstring_view text) {
    if (text.size() < 4 || !IsDriveLetter(text[0]) || text[1] != L':' || text[2] != L'\\') {
        return std::nullopt;
    }
    InstallPath path{std::wstring(text.substr(0, 3)), {}};
    std::wstring_view rest = text.substr(3);
    if (rest.back() == L'\\') {
        rest.remove_suffix(1);
    }
    while (true) {
        const std::size_t separator = rest.find(L'\\');
        const std::wstring_view name = rest.substr(0, separator);
        if (!IsPlainName(name)) {
            return std::nullopt;
        }
        path.components.emplace_back(name);
        if (separator == std::wstring_view::npos) {
            return path;
        }
        rest.remove_prefix(separator + 1);
    }
}

} // namespace tarnsetup
