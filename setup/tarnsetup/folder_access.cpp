#include "setup/tarnsetup/folder_access.h"

#include <array>

namespace tarnsetup {
namespace {

constexpr std::wstring_view kSystem = L"S-1-5-18";
constexpr std::wstring_view kAdministrators = L"S-1-5-32-544";
constexpr std::wstring_view kTrustedInstaller =
    L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
// OWNER RIGHTS: the entry is the owner's.
constexpr std::wstring_view kOwnerRights = L"S-1-3-4";

constexpr std::uint32_t kReplaceRights = rights::kDelete | rights::kWriteDac | rights::kWriteOwner;
constexpr std::uint32_t kWriteRights = rights::kWriteData | rights::kAppendData | rights::kWriteEa |
                                       rights::kDeleteChild | rights::kWriteAttributes |
                                       kReplaceRights;

bool IsTrusted(std::wstring_view sid, std::wstring_view self) {
    static constexpr std::array kTrusted{kSystem, kAdministrators, kTrustedInstaller};
    for (const std::wstring_view trusted : kTrusted) {
        if (sid == trusted) {
            return true;
        }
    }
    return !self.empty() && sid == self;
}

std::uint32_t FileRights(std::uint32_t mask) {
    if (mask & rights::kGenericAll) {
        mask |= rights::kFileAllAccess;
    }
    if (mask & rights::kGenericWrite) {
        mask |= rights::kFileGenericWrite;
    }
    return mask;
}

} // namespace

bool IsTrustedOwner(const ObjectSecurity& object, std::wstring_view self) {
    return IsTrusted(object.owner, self);
}

std::uint32_t RightsOfOthers(const ObjectSecurity& object, std::wstring_view self) {
    if (!object.dacl) {
        return rights::kFileAllAccess;
    }
    std::uint32_t others = 0;
    for (const AccessEntry& entry : *object.dacl) {
        if (!entry.allows || entry.inheritOnly) {
            continue;
        }
        const bool trusted =
            entry.sid == kOwnerRights ? IsTrustedOwner(object, self) : IsTrusted(entry.sid, self);
        if (!trusted) {
            others |= FileRights(entry.mask);
        }
    }
    return others;
}

bool OthersMayDeleteChildren(const ObjectSecurity& parent, std::wstring_view self) {
    return (RightsOfOthers(parent, self) & rights::kDeleteChild) != 0;
}

bool OthersMayReplace(const ObjectSecurity& component, const ObjectSecurity& parent,
                      std::wstring_view self) {
    return !IsTrustedOwner(component, self) ||
           (RightsOfOthers(component, self) & kReplaceRights) != 0 ||
           OthersMayDeleteChildren(parent, self);
}

bool IsKeptByAdministrators(const ObjectSecurity& folder, std::wstring_view self) {
    return IsTrustedOwner(folder, self) && (RightsOfOthers(folder, self) & kWriteRights) == 0;
}

} // namespace tarnsetup
