#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnsetup {

// A program folder as the setup takes it: a full path below a drive letter's root.
struct InstallPath {
    std::wstring root;                    // "C:\"
    std::vector<std::wstring> components; // {"Program Files", "Tarnlink"}

    // The path down to the first `count` components, without a trailing backslash;
    // the root itself for 0.
    std::wstring Prefix(std::size_t count) const;
    std::wstring Full() const { return Prefix(components.size()); }
};

// The path split into its root and names, or nothing when it is not a full path
// below a drive letter or when Windows would read a name in it as another one: a
// share ("\\server\share"), a device or raw path ("\\.\", "\\?\"), a drive-relative
// path ("C:folder"), the root alone, "." and "..", empty names, names that end in a
// dot or a blank (Windows drops those), characters no file name may hold, and device
// names ("CON", "nul.txt"). One trailing backslash is allowed.
std::optional<InstallPath> ParseInstallPath(std::wstring_view text);

} // namespace tarnsetup
