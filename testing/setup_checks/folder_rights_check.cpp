// Not a test itself: the 32-bit machine's setup job runs it. The service runs as
// LocalSystem from the program folder, so whoever may write there owns the machine.
// It reads a security descriptor, the folder's through the security API or the
// setup's own as text (Wine keeps only what Unix mode bits can say of a folder's),
// prints it, and answers 0 only when Administrators own it, its access list is
// protected from the parent's, and Users, Authenticated Users and Everyone have no
// right that changes anything.
//   folder_rights_check FOLDER
//   folder_rights_check --descriptor SDDL
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr ACCESS_MASK kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                        FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE |
                                        WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

bool IsOrdinaryUsers(PSID sid) {
    return IsWellKnownSid(sid, WinBuiltinUsersSid) ||
           IsWellKnownSid(sid, WinAuthenticatedUserSid) || IsWellKnownSid(sid, WinWorldSid);
}

// Prints each fault and answers whether there was none.
bool IsSafe(PSECURITY_DESCRIPTOR descriptor, PSID owner, PACL dacl) {
    bool safe = true;
    if (owner == nullptr || !IsWellKnownSid(owner, WinBuiltinAdministratorsSid)) {
        std::puts("owner is not Administrators");
        safe = false;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (!GetSecurityDescriptorControl(descriptor, &control, &revision) ||
        (control & SE_DACL_PROTECTED) == 0) {
        std::puts("access list inherits from the parent");
        safe = false;
    }
    if (dacl == nullptr) {
        std::puts("no access list: everyone has every right");
        return false;
    }
    for (DWORD index = 0; index < dacl->AceCount; ++index) {
        void* entry = nullptr;
        if (!GetAce(dacl, index, &entry)) {
            continue;
        }
        const auto* ace = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE ||
            !IsOrdinaryUsers(const_cast<DWORD*>(&ace->SidStart))) {
            continue;
        }
        if ((ace->Mask & kChangingRights) != 0) {
            std::printf("entry %lu lets ordinary users change files (mask 0x%lx)\n", index,
                        ace->Mask);
            safe = false;
        }
    }
    return safe;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (argc == 3 && std::wcscmp(argv[1], L"--descriptor") == 0) {
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(argv[2], SDDL_REVISION_1,
                                                                  &descriptor, nullptr)) {
            std::printf("not a security descriptor: error %lu\n", GetLastError());
            return 2;
        }
    } else if (argc == 2) {
        const DWORD error = GetNamedSecurityInfoW(argv[1], SE_FILE_OBJECT, parts, nullptr, nullptr,
                                                  nullptr, nullptr, &descriptor);
        if (error != ERROR_SUCCESS) {
            std::printf("cannot read the security descriptor: error %lu\n", error);
            return 2;
        }
    } else {
        std::fputs("usage: folder_rights_check FOLDER | --descriptor SDDL\n", stderr);
        return 2;
    }
    LPWSTR text = nullptr;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1, parts,
                                                             &text, nullptr)) {
        std::printf("%ls\n", text);
        LocalFree(text);
    }
    PSID owner = nullptr;
    PACL dacl = nullptr;
    BOOL defaulted = FALSE;
    BOOL present = FALSE;
    GetSecurityDescriptorOwner(descriptor, &owner, &defaulted);
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    const bool safe = IsSafe(descriptor, owner, present ? dacl : nullptr);
    LocalFree(descriptor);
    return safe ? 0 : 1;
}
