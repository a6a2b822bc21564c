#pragma once

#include "setup/tarnsetup/folder_refusal.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tarnsetup {

// What the folder is to the setup. The numbers are what the setup script sees.
enum class FolderKind : int {
    Refused = 0,
    New = 1,     // missing, or empty
    Kept = 2,    // only what a removal kept, kept by administrators
    Upgrade = 3, // the folder the installed programs' entry names
};

struct FolderCheck {
    FolderKind kind = FolderKind::Refused;
    // The existing folder, open without delete sharing so that nobody can rename or
    // replace it until the setup ends; INVALID_HANDLE_VALUE when it does not exist.
    HANDLE held = INVALID_HANDLE_VALUE;
    // The outermost folder of the path that does not exist yet; empty when all do.
    std::wstring firstMissing;
    std::optional<Refusal> refusal;
};

// Checks the program folder against every rule before anything changes: a full path
// on a local drive that keeps access rights, names in the ANSI code page, no link
// on the path, no folder on it that others may replace, and a folder that is missing,
// empty, kept by administrators, or the registered one (`registered`, which may be
// empty) holding no code the setup did not place. Holds the folder when it exists.
FolderCheck OpenInstallFolder(const std::wstring& folder, const std::wstring& registered);

// Makes the missing folders of the path with the program folder's access list,
// holds the folder (in `held`, when it was not yet), gives it that access list and
// owner through the handle, resets owner and rights of everything in it for a kept
// installation and an upgrade, and checks that a file can be made in it. `created`
// is the outermost folder made, empty when none; after a refusal none is left.
std::optional<Refusal> ProtectInstallFolder(const std::wstring& folder, FolderKind kind,
                                            HANDLE& held, std::wstring& created);

// Removes what ProtectInstallFolder made, when empty: the folders from the program
// folder up to `created`, the outermost one (empty: none was made); for an undo.
void RemoveInstallFolder(const std::wstring& folder, const std::wstring& created);

} // namespace tarnsetup
