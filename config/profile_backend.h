#pragma once

#include "config/profile_functions.h"

// The platform's own INI primitives: kernel32's GetPrivateProfileStringA,
// GetPrivateProfileIntA and WritePrivateProfileStringA on Windows, the own layer in
// inifile/ elsewhere. Only profile_functions.cpp calls them.
namespace profile::backend {

GetStringFunction GetString;
GetIntFunction GetInt;
WriteStringFunction WriteString;

} // namespace profile::backend
