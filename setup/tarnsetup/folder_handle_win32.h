#pragma once

#include "setup/tarnsetup/folder_contents.h"
#include "setup/tarnsetup/folder_refusal.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tarnsetup {

// What the setup asks of a folder it holds: to list it, and to set its owner and rights.
inline constexpr DWORD kHeldFolderAccess =
    FILE_LIST_DIRECTORY | FILE_TRAVERSE | READ_CONTROL | WRITE_DAC | WRITE_OWNER | SYNCHRONIZE;

// Whether two paths name the same folder, as Windows compares names; a trailing
// backslash does not count.
bool SamePath(const std::wstring& a, const std::wstring& b);

// The folder itself, never what a link in its place points to, shared for everything
// but deletion and renaming, so that nobody can move or replace it while it is open;
// INVALID_HANDLE_VALUE on failure.
HANDLE OpenFolderHandle(const std::wstring& path, DWORD access);
void CloseFolder(HANDLE& handle);

// The handle must be the folder of that path: no link in its place, and no link,
// junction, mount point, substituted drive or short name on the way to it.
std::optional<Refusal> VerifyHeldFolder(HANDLE held, const std::wstring& folder);

// The entries of the folder behind the handle, "." and ".." left out; nothing when it
// cannot be read, the reason in `error`. Only "no more files" means there are no more.
std::optional<std::vector<FolderEntry>> ListFolder(HANDLE folder, DWORD& error);

} // namespace tarnsetup
