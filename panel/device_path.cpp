#include "panel/device_path.h"

#include <algorithm>
#include <array>

namespace {

// The names Win32 maps to a device in every folder, besides COMn and LPTn.
constexpr std::array<std::wstring_view, 6> kDosDevices{L"CON", L"PRN",    L"AUX",
                                                       L"NUL", L"CONIN$", L"CONOUT$"};
constexpr std::array<std::wstring_view, 2> kPortPrefixes{L"COM", L"LPT"};
// The shares of a server that are its pipes and mailslots.
constexpr std::array<std::wstring_view, 2> kServerPipeShares{L"PIPE", L"MAILSLOT"};
constexpr std::wstring_view kVerbatimUncPrefix = L"UNC";
constexpr std::wstring_view kSeparators = L"\\/";

bool IsSeparator(wchar_t c) {
    return kSeparators.find(c) != std::wstring_view::npos;
}

bool IsLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t AsciiUpper(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool SameName(std::wstring_view name, std::wstring_view upper) {
    return std::ranges::equal(name, upper, {}, AsciiUpper);
}

bool IsOneOf(std::wstring_view name, const auto& names) {
    return std::ranges::any_of(names,
                               [&](std::wstring_view known) { return SameName(name, known); });
}

// The text up to the next separator, taken off the front of rest with the separator.
std::wstring_view TakeComponent(std::wstring_view& rest) {
    const std::wstring_view part = rest.substr(0, rest.find_first_of(kSeparators));
    rest.remove_prefix(std::min(part.size() + 1, rest.size()));
    return part;
}

// What follows a server path's leading separators ("server\share..."): its pipes or
// its mailslots rather than a share.
bool NamesServerPipes(std::wstring_view rest) {
    TakeComponent(rest);
    return IsOneOf(TakeComponent(rest), kServerPipeShares);
}

// What follows "\\?\": only a drive's files ("X:\...") or a share's ("UNC\server\share\...")
// are files on a disk.
bool IsVerbatimFilePath(std::wstring_view rest) {
    if (rest.size() >= 3 && IsLetter(rest[0]) && rest[1] == L':' && IsSeparator(rest[2])) {
        return true;
    }
    return SameName(TakeComponent(rest), kVerbatimUncPrefix) && !rest.empty() &&
           !NamesServerPipes(rest);
}

bool IsPortName(std::wstring_view name) {
    if (name.size() != 4 || !IsOneOf(name.substr(0, 3), kPortPrefixes)) {
        return false;
    }
    // Superscript one, two and three count as digits here too.
    const wchar_t digit = name[3];
    return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' ||
           digit == L'\u00B3';
}

// The last component is a DOS device whatever the folder, extension ("nul.txt"),
// stream ("con:x") or trailing blanks ("com1 ").
bool EndsInDosDevice(std::wstring_view path) {
    std::wstring_view name = path.substr(path.find_last_of(kSeparators) + 1);
    if (name.size() == path.size() && name.size() >= 2 && IsLetter(name[0]) && name[1] == L':') {
        name.remove_prefix(2); // "C:nul", relative to the drive's current folder
    }
    name = name.substr(0, name.find_first_of(L".:"));
    name = name.substr(0, name.find_last_not_of(L' ') + 1);
    return IsPortName(name) || IsOneOf(name, kDosDevices);
}

} // namespace

bool IsDevicePath(std::wstring_view path) {
    const auto separatorAt = [&](std::size_t at) {
        return at < path.size() && IsSeparator(path[at]);
    };
    if (separatorAt(0) && separatorAt(1)) {
        const std::wstring_view rest = path.substr(2);
        // "\\." and "\\?" lead into the device namespace, where "\\?\" reaches files too.
        if (!rest.empty() && (rest[0] == L'.' || rest[0] == L'?') &&
            (rest.size() == 1 || IsSeparator(rest[1]))) {
            if (rest[0] == L'.' || rest.size() == 1 || !IsVerbatimFilePath(rest.substr(2))) {
                return true;
            }
        } else if (NamesServerPipes(rest)) {
            return true;
        }
    } else if (separatorAt(0) && path.substr(1, 2) == L"??" && separatorAt(3)) {
        return true;
    }
    return EndsInDosDevice(path);
}
