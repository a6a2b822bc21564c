#include "setup/tarnsetup/folder_tree_win32.h"

#include "setup/tarnsetup/folder_contents.h"
#include "setup/tarnsetup/folder_handle_win32.h"

#include <aclapi.h>

#include <vector>

namespace tarnsetup {
namespace {

// Names of code the setup did not place, listed in a refusal before "...".
constexpr std::size_t kNamesShown = 10;

} // namespace

std::optional<Refusal> FindForeignCode(HANDLE held, const std::wstring& folder) {
    std::vector<std::wstring> found;
    std::vector<std::wstring> pending{L""};
    while (!pending.empty()) {
        const std::wstring relative = pending.back();
        pending.pop_back();
        HANDLE handle = relative.empty() ? held
                                         : OpenFolderHandle(folder + L"\\" + relative,
                                                            FILE_LIST_DIRECTORY | SYNCHRONIZE);
        DWORD error = 0;
        const auto entries =
            handle == INVALID_HANDLE_VALUE ? std::nullopt : ListFolder(handle, error);
        if (!relative.empty() && handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
        if (!entries) {
            return Refusal{RefusalReason::Unlistable, folder + L"\\" + relative, {}, error};
        }
        for (const FolderEntry& entry : *entries) {
            const std::wstring path = relative.empty() ? entry.name : relative + L"\\" + entry.name;
            if (entry.reparsePoint ||
                (IsCodeFile(entry.name) && !(relative.empty() && IsPlacedBySetup(entry.name)))) {
                found.push_back(path);
            } else if (entry.directory) {
                pending.push_back(path);
            }
        }
    }
    if (found.empty()) {
        return std::nullopt;
    }
    std::wstring names;
    for (std::size_t i = 0; i < found.size() && i < kNamesShown; ++i) {
        names += (i > 0 ? L"\r\n" : L"") + found[i];
    }
    if (found.size() > kNamesShown) {
        names += L"\r\n...";
    }
    return Refusal{RefusalReason::ForeignCode, folder, names};
}

DWORD ResetTreeRights(const std::wstring& folder, PSID owner) {
    ACL empty{};
    if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION)) {
        return GetLastError();
    }
    std::vector<std::wstring> pending{folder};
    while (!pending.empty()) {
        const std::wstring current = pending.back();
        pending.pop_back();
        HANDLE handle = OpenFolderHandle(current, FILE_LIST_DIRECTORY | SYNCHRONIZE);
        DWORD error = 0;
        const auto entries =
            handle == INVALID_HANDLE_VALUE ? std::nullopt : ListFolder(handle, error);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
        if (!entries) {
            return error != 0 ? error : ERROR_ACCESS_DENIED;
        }
        for (const FolderEntry& entry : *entries) {
            if (entry.reparsePoint) {
                continue; // refused before for an upgrade; never followed
            }
            std::wstring path = current + L"\\" + entry.name;
            const DWORD result =
                SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT,
                                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                          UNPROTECTED_DACL_SECURITY_INFORMATION,
                                      owner, nullptr, &empty, nullptr);
            if (result != ERROR_SUCCESS) {
                return result;
            }
            if (entry.directory) {
                pending.push_back(std::move(path));
            }
        }
    }
    return ERROR_SUCCESS;
}

} // namespace tarnsetup
