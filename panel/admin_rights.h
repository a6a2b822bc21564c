#pragma once

#include <cstdint>
#include <optional>

// The platform questions behind the administrator check.
class IAdminRightsQuery {
public:
    virtual ~IAdminRightsQuery() = default;
    // The version query's platform identifier, or nothing when the query fails.
    virtual std::optional<std::uint32_t> PlatformId() = 0;
    // The answer of setupapi.dll's IsUserAdmin, or nothing when the library or
    // the export is missing.
    virtual std::optional<bool> CallIsUserAdmin() = 0;
};

// True unless the platform says the current user is not an administrator: every
// case in which it cannot tell lets the program run.
bool HasAdminRights(IAdminRightsQuery& query);
