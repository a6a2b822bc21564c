#include "setup/tarnsetup/install_folder_win32.h"

#include "config/settings_names.h"
#include "setup/tarnsetup/ascii_names.h"
#include "setup/tarnsetup/folder_access.h"
#include "setup/tarnsetup/folder_contents.h"
#include "setup/tarnsetup/folder_handle_win32.h"
#include "setup/tarnsetup/folder_tree_win32.h"
#include "setup/tarnsetup/install_path.h"
#include "setup/tarnsetup/object_security_win32.h"
#include "setup/tarnsetup/pending_deletes_win32.h"

#include <sddl.h>

#include <algorithm>
#include <vector>

namespace tarnsetup {
namespace {

// The program folder's access list: owned by Administrators, nothing inherited from
// the parent, full control for SYSTEM and Administrators, read and execute for Users;
// what is made inside inherits it. The service runs as LocalSystem from this folder.
constexpr wchar_t kFolderSecurity[] =
    L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

class Descriptor {
public:
    Descriptor() {
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kFolderSecurity, SDDL_REVISION_1,
                                                                  &descriptor_, nullptr)) {
            descriptor_ = nullptr;
        }
    }
    ~Descriptor() { LocalFree(descriptor_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    PSECURITY_DESCRIPTOR Get() const { return descriptor_; }
    PSID Owner() const {
        PSID owner = nullptr;
        BOOL defaulted = FALSE;
        return descriptor_ && GetSecurityDescriptorOwner(descriptor_, &owner, &defaulted) ? owner
                                                                                          : nullptr;
    }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

Refusal Refuse(RefusalReason reason, const std::wstring& folder, std::wstring detail = {},
               DWORD error = 0) {
    return Refusal{reason, folder, std::move(detail), error};
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The log the folder's settings name, when it is one file directly in the folder.
std::wstring LogNameIn(const std::wstring& folder) {
    std::vector<wchar_t> value(32768);
    const std::wstring settings = folder + L"\\" + Widen(settings::kFileName);
    GetPrivateProfileStringW(Widen(settings::kMainSection).c_str(),
                             Widen(settings::kLogFileNameKey).c_str(), L"", value.data(),
                             static_cast<DWORD>(value.size()), settings.c_str());
    return FileNameIn(folder, value.data());
}

std::optional<Refusal> CheckVolume(const InstallPath& path, const std::wstring& folder) {
    const UINT type = GetDriveTypeW(path.root.c_str());
    if (type == DRIVE_REMOTE) {
        return Refuse(RefusalReason::NotLocal, folder);
    }
    DWORD flags = 0;
    if (type == DRIVE_NO_ROOT_DIR || !GetVolumeInformationW(path.root.c_str(), nullptr, 0, nullptr,
                                                            nullptr, &flags, nullptr, 0)) {
        return Refuse(RefusalReason::NotWritable, folder, {}, GetLastError());
    }
    if (!(flags & FILE_PERSISTENT_ACLS)) {
        return Refuse(RefusalReason::NotProtectable, folder);
    }
    return std::nullopt;
}

bool InCodePage(const std::wstring& folder) {
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, nullptr,
                                         0, nullptr, &lossy);
    return size > 0 && !lossy;
}

// Walks the path from its root and stops at the first folder missing; returns how
// many exist, or the refusal. Each existing folder must be a folder, no link, and
// safe from others; the folder that holds the first missing one must not let others
// delete what it holds, as the setup will make that one.
struct PathWalk {
    std::size_t existing = 0;
    std::optional<Refusal> refusal;
};

PathWalk WalkPath(const InstallPath& path, const std::wstring& folder) {
    const std::wstring self = OwnAccountSid();
    std::optional<ObjectSecurity> parent = SecurityOf(path.root);
    if (!parent) {
        return {0, Refuse(RefusalReason::UnsafeParent, folder, path.root, GetLastError())};
    }
    const std::size_t count = path.components.size();
    for (std::size_t i = 1; i <= count; ++i) {
        const std::wstring component = path.Prefix(i);
        const DWORD attributes = GetFileAttributesW(component.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = GetLastError();
            if (!IsMissing(error)) {
                return {i - 1, Refuse(RefusalReason::NotWritable, folder, {}, error)};
            }
            if (OthersMayDeleteChildren(*parent, self)) {
                return {i - 1, Refuse(RefusalReason::UnsafeParent, folder, path.Prefix(i - 1))};
            }
            return {i - 1, std::nullopt};
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return {i - 1, Refuse(RefusalReason::NotWritable, folder, {}, ERROR_DIRECTORY)};
        }
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            return {i - 1, Refuse(RefusalReason::Link, folder, component)};
        }
        std::optional<ObjectSecurity> security = SecurityOf(component);
        if (!security) {
            return {i - 1, Refuse(RefusalReason::UnsafeParent, folder, component, GetLastError())};
        }
        // The program folder's own rights are the setup's to set; only its parent's count.
        const bool unsafe = i < count ? OthersMayReplace(*security, *parent, self)
                                      : OthersMayDeleteChildren(*parent, self);
        if (unsafe) {
            return {i - 1, Refuse(RefusalReason::UnsafeParent, folder, component)};
        }
        parent = std::move(security);
    }
    return {count, std::nullopt};
}

// The existing folder, held: an upgrade, an empty folder, a kept installation, or refused.
FolderCheck ClassifyHeld(FolderCheck check, const std::wstring& folder, bool upgrade) {
    if (auto refusal = VerifyHeldFolder(check.held, folder)) {
        check.refusal = std::move(refusal);
        return check;
    }
    DWORD error = 0;
    const auto entries = ListFolder(check.held, error);
    if (!entries) {
        check.refusal = Refuse(RefusalReason::Unlistable, folder, {}, error);
        return check;
    }
    if (upgrade) {
        check.refusal = FindForeignCode(check.held, folder);
        check.kind = FolderKind::Upgrade;
        return check;
    }
    switch (ClassifyContents(*entries, LogNameIn(folder))) {
    case FolderContents::Empty:
        check.kind = FolderKind::New;
        break;
    case FolderContents::KeptInstallation: {
        const std::optional<ObjectSecurity> security = SecurityOf(check.held);
        if (security && IsKeptByAdministrators(*security, OwnAccountSid())) {
            check.kind = FolderKind::Kept;
        } else {
            check.refusal = Refuse(RefusalReason::KeptButOpen, folder);
        }
        break;
    }
    case FolderContents::Other:
        check.refusal = Refuse(RefusalReason::NotEmpty, folder);
        break;
    }
    return check;
}

// Removes the folders made from `from` on down to `folder`, deepest first, when empty.
void RemoveMade(const InstallPath& path, std::size_t from) {
    for (std::size_t i = path.components.size(); i > from; --i) {
        RemoveDirectoryW(path.Prefix(i).c_str());
    }
}

} // namespace

FolderCheck OpenInstallFolder(const std::wstring& folder, const std::wstring& registered) {
    FolderCheck check;
    const std::optional<InstallPath> path = ParseInstallPath(folder);
    if (!path) {
        check.refusal = Refuse(RefusalReason::NotLocal, folder);
        return check;
    }
    const std::wstring full = path->Full();
    if (!InCodePage(full)) {
        check.refusal = Refuse(RefusalReason::NotInCodePage, full);
        return check;
    }
    if (auto refusal = CheckVolume(*path, full)) {
        check.refusal = std::move(refusal);
        return check;
    }
    const PathWalk walk = WalkPath(*path, full);
    if (walk.refusal) {
        check.refusal = walk.refusal;
        return check;
    }
    const bool upgrade = !registered.empty() && SamePath(registered, full);
    if (walk.existing < path->components.size()) {
        check.kind = upgrade ? FolderKind::Upgrade : FolderKind::New;
        check.firstMissing = path->Prefix(walk.existing + 1);
        return check;
    }
    check.held = OpenFolderHandle(full, kHeldFolderAccess);
    if (check.held == INVALID_HANDLE_VALUE) {
        check.refusal = Refuse(RefusalReason::NotWritable, full, {}, GetLastError());
        return check;
    }
    check = ClassifyHeld(std::move(check), full, upgrade);
    if (check.refusal) {
        CloseFolder(check.held);
        check.kind = FolderKind::Refused;
    }
    return check;
}

std::optional<Refusal> ProtectInstallFolder(const std::wstring& folder, FolderKind kind,
                                            HANDLE& held, std::wstring& created) {
    created.clear();
    const std::optional<InstallPath> path = ParseInstallPath(folder);
    const Descriptor descriptor;
    if (!path || descriptor.Get() == nullptr) {
        return Refuse(RefusalReason::NotLocal, folder);
    }
    const std::wstring full = path->Full();
    // Missing folders are made with the program folder's rights from their first moment.
    // The path is walked again first: a folder on it that appeared since the check is
    // checked as any other, and one that appears while they are made is refused.
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.Get(), FALSE};
    std::size_t firstMade = path->components.size() + 1;
    if (held == INVALID_HANDLE_VALUE) {
        const PathWalk walk = WalkPath(*path, full);
        if (walk.refusal) {
            return walk.refusal;
        }
        for (std::size_t i = walk.existing + 1; i <= path->components.size(); ++i) {
            if (!CreateDirectoryW(path->Prefix(i).c_str(), &attributes)) {
                const DWORD error = GetLastError();
                RemoveMade(*path, firstMade - 1);
                return Refuse(RefusalReason::NotWritable, full, {}, error);
            }
            firstMade = std::min(firstMade, i);
        }
        held = OpenFolderHandle(full, kHeldFolderAccess);
        std::optional<Refusal> refusal =
            held == INVALID_HANDLE_VALUE
                ? std::optional(Refuse(RefusalReason::NotWritable, full, {}, GetLastError()))
                : VerifyHeldFolder(held, full);
        if (refusal) {
            CloseFolder(held);
            RemoveMade(*path, firstMade - 1);
            return refusal;
        }
    }
    const auto fail = [&](RefusalReason reason, DWORD error) {
        CloseFolder(held);
        RemoveMade(*path, firstMade - 1);
        return Refuse(reason, full, {}, error);
    };
    // Set on the object itself through the handle (what is inside is reset by name
    // below); Wine's SetSecurityInfo would grant everybody read as well.
    DWORD error = SetKernelObjectSecurity(held,
                                          OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                              PROTECTED_DACL_SECURITY_INFORMATION,
                                          descriptor.Get())
                      ? ERROR_SUCCESS
                      : GetLastError();
    if (error == ERROR_SUCCESS && (kind == FolderKind::Kept || kind == FolderKind::Upgrade)) {
        error = ResetTreeRights(full, descriptor.Owner());
    }
    if (error != ERROR_SUCCESS) {
        return fail(RefusalReason::NotProtectable, error);
    }
    if (kind == FolderKind::Kept) {
        // The uninstaller a removal left was to go at the next restart, taking the new one.
        DropPendingDeletes(full);
    }
    wchar_t probe[MAX_PATH + 16];
    if (GetTempFileNameW(full.c_str(), Widen(settings::kStagedCopyPrefix).c_str(), 0, probe) == 0) {
        return fail(RefusalReason::NotWritable, GetLastError());
    }
    DeleteFileW(probe);
    if (firstMade <= path->components.size()) {
        created = path->Prefix(firstMade);
    }
    return std::nullopt;
}

void RemoveInstallFolder(const std::wstring& folder, const std::wstring& created) {
    const std::optional<InstallPath> path = ParseInstallPath(folder);
    if (!path || created.empty()) {
        return;
    }
    for (std::size_t i = 1; i <= path->components.size(); ++i) {
        if (SamePath(path->Prefix(i), created)) {
            RemoveMade(*path, i - 1);
            return;
        }
    }
}

} // namespace tarnsetup
