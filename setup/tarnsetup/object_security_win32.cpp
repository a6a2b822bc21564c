#include "setup/tarnsetup/object_security_win32.h"

#include <aclapi.h>
#include <sddl.h>

#include <vector>

namespace tarnsetup {
namespace {

static_assert(rights::kWriteData == FILE_WRITE_DATA);
static_assert(rights::kAppendData == FILE_APPEND_DATA);
static_assert(rights::kWriteEa == FILE_WRITE_EA);
static_assert(rights::kDeleteChild == FILE_DELETE_CHILD);
static_assert(rights::kWriteAttributes == FILE_WRITE_ATTRIBUTES);
static_assert(rights::kDelete == DELETE);
static_assert(rights::kWriteDac == WRITE_DAC);
static_assert(rights::kWriteOwner == WRITE_OWNER);
static_assert(rights::kGenericAll == GENERIC_ALL);
static_assert(rights::kGenericWrite == GENERIC_WRITE);
static_assert(rights::kFileAllAccess == FILE_ALL_ACCESS);
static_assert(rights::kFileGenericWrite == FILE_GENERIC_WRITE);

constexpr SECURITY_INFORMATION kOwnerAndDacl =
    OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;

std::wstring SidText(PSID sid) {
    LPWSTR text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidW(sid, &text)) {
        return {};
    }
    std::wstring result(text);
    LocalFree(text);
    return result;
}

// Allowed and denied entries of every kind share their layout up to the SID, but the
// object kinds, which name the SID further in.
std::optional<AccessEntry> EntryOf(const ACE_HEADER* header) {
    AccessEntry entry;
    entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
    switch (header->AceType) {
    case ACCESS_ALLOWED_ACE_TYPE:
    case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
        entry.allows = true;
        break;
    case ACCESS_DENIED_ACE_TYPE:
    case ACCESS_DENIED_CALLBACK_ACE_TYPE:
        entry.allows = false;
        break;
    default:
        return std::nullopt;
    }
    const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
    entry.mask = ace->Mask;
    entry.sid = SidText(const_cast<DWORD*>(&ace->SidStart));
    return entry;
}

std::optional<ObjectSecurity> Describe(DWORD error, PSID owner, PACL dacl,
                                       PSECURITY_DESCRIPTOR descriptor) {
    if (error != ERROR_SUCCESS) {
        return std::nullopt;
    }
    ObjectSecurity security;
    security.owner = SidText(owner);
    if (dacl != nullptr) {
        security.dacl.emplace();
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* header = nullptr;
            if (!GetAce(dacl, i, &header)) {
                LocalFree(descriptor);
                return std::nullopt;
            }
            const std::optional<AccessEntry> entry = EntryOf(static_cast<ACE_HEADER*>(header));
            if (!entry) {
                // An entry of a kind the setup cannot read might grant anything.
                security.dacl.reset();
                break;
            }
            security.dacl->push_back(*entry);
        }
    }
    LocalFree(descriptor);
    return security;
}

} // namespace

std::optional<ObjectSecurity> SecurityOf(HANDLE object) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error = GetSecurityInfo(object, SE_FILE_OBJECT, kOwnerAndDacl, &owner, nullptr,
                                        &dacl, nullptr, &descriptor);
    return Describe(error, owner, dacl, descriptor);
}

std::optional<ObjectSecurity> SecurityOf(const std::wstring& path) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error = GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, kOwnerAndDacl, &owner,
                                              nullptr, &dacl, nullptr, &descriptor);
    return Describe(error, owner, dacl, descriptor);
}

std::wstring OwnAccountSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return {};
    }
    std::vector<BYTE> buffer(256);
    DWORD size = 0;
    BOOL ok = GetTokenInformation(token, TokenUser, buffer.data(),
                                  static_cast<DWORD>(buffer.size()), &size);
    if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        buffer.resize(size);
        ok = GetTokenInformation(token, TokenUser, buffer.data(), size, &size);
    }
    CloseHandle(token);
    return ok ? SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid) : std::wstring();
}

} // namespace tarnsetup
