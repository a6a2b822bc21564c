#pragma once

#include "setup/tarnsetup/folder_access.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tarnsetup {

// Owner and access list of the object behind the handle, or of the object the path
// names; nothing when they cannot be read.
std::optional<ObjectSecurity> SecurityOf(HANDLE object);
std::optional<ObjectSecurity> SecurityOf(const std::wstring& path);

// The SID string of the account this process runs as; empty when unknown.
std::wstring OwnAccountSid();

} // namespace tarnsetup
