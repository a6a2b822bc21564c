#pragma once

#include "setup/tarnsetup/folder_refusal.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tarnsetup {

// What an installation folder holds that the setup did not place and the programs or
// the service could load: code and links anywhere in its tree, as paths relative to
// it. Every folder in the tree is read through a handle of its own, no link followed.
std::optional<Refusal> FindForeignCode(HANDLE held, const std::wstring& folder);

// Gives everything below the folder `owner` and only the rights it inherits, from the
// top down. The folder is held and safe, so the names stay its own; links are skipped.
DWORD ResetTreeRights(const std::wstring& folder, PSID owner);

} // namespace tarnsetup
