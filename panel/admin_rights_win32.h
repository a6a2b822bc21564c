#pragma once

#include "panel/admin_rights.h"

// The administrator check's questions asked of Windows: the version query and
// IsUserAdmin of the system folder's setupapi.dll.
class CWin32AdminRightsQuery : public IAdminRightsQuery {
public:
    std::optional<std::uint32_t> PlatformId() override;
    std::optional<bool> CallIsUserAdmin() override;
};
