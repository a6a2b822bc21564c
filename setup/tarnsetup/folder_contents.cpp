#include "setup/tarnsetup/folder_contents.h"

#include "config/settings_names.h"
#include "installer/tarnward_constants.h"
#include "setup/tarnsetup/ascii_names.h"
#include "setup/tarnsetup/setup_names.h"

#include <array>

namespace tarnsetup {
namespace {

bool EndsWithNoCase(std::wstring_view name, std::wstring_view end) {
    return name.size() >= end.size() && EqualsNoCase(name.substr(name.size() - end.size()), end);
}

// What a save leaves when it stops before its copy replaced the file: "trn1A2B.tmp".
bool IsStagedCopy(std::wstring_view name) {
    const std::wstring_view prefix =
        name.substr(0, std::char_traits<char>::length(settings::kStagedCopyPrefix));
    return EqualsNoCase(prefix, Widen(settings::kStagedCopyPrefix)) &&
           EndsWithNoCase(name, L".tmp");
}

} // namespace

bool IsCodeFile(std::wstring_view name) {
    static constexpr std::array<std::wstring_view, 15> kEndings{
        L".exe", L".dll", L".com", L".scr", L".cpl", L".ocx",   L".sys",     L".drv",
        L".ax",  L".acm", L".efi", L".mui", L".tlb", L".local", L".manifest"};
    for (const std::wstring_view ending : kEndings) {
        if (EndsWithNoCase(name, ending)) {
            return true;
        }
    }
    return false;
}

bool IsPlacedBySetup(std::wstring_view name) {
    return EqualsNoCase(name, kPanelExe) || EqualsNoCase(name, kTarnwardExe) ||
           EqualsNoCase(name, kUninstallerExe) ||
           EqualsNoCase(name, Widen(tarnward::kServiceFileName));
}

FolderContents ClassifyContents(const std::vector<FolderEntry>& entries,
                                std::wstring_view logName) {
    if (entries.empty()) {
        return FolderContents::Empty;
    }
    for (const FolderEntry& entry : entries) {
        const std::wstring_view name = entry.name;
        const bool kept = EqualsNoCase(name, Widen(settings::kFileName)) ||
                          EqualsNoCase(name, Widen(settings::kDefaultLogFileName)) ||
                          (!logName.empty() && EqualsNoCase(name, logName)) || IsStagedCopy(name) ||
                          EqualsNoCase(name, kUninstallerExe);
        if (!kept || entry.directory || entry.reparsePoint) {
            return FolderContents::Other;
        }
    }
    return FolderContents::KeptInstallation;
}

std::wstring FileNameIn(std::wstring_view folder, std::wstring_view path) {
    std::wstring prefix(folder);
    if (prefix.empty() || prefix.back() != L'\\') {
        prefix += L'\\';
    }
    if (path.size() <= prefix.size() || !EqualsNoCase(path.substr(0, prefix.size()), prefix)) {
        return {};
    }
    const std::wstring_view name = path.substr(prefix.size());
    if (name == L"." || name == L".." ||
        name.find_first_of(L"\\/:*?<>|\"") != std::wstring_view::npos) {
        return {};
    }
    return std::wstring(name);
}

} // namespace tarnsetup
