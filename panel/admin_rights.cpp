#include "panel/admin_rights.h"

namespace {

// VER_PLATFORM_WIN32_NT: only that family knows administrators.
constexpr std::uint32_t kPlatformNt = 2;

} // namespace

bool HasAdminRights(IAdminRightsQuery& query) {
    const std::optional<std::uint32_t> platform = query.PlatformId();
    if (!platform || *platform != kPlatformNt) {
        return true;
    }
    return query.CallIsUserAdmin().value_or(true);
}
