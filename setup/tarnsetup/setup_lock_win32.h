#pragma once

#include <windows.h>

namespace tarnsetup {

// Keeps every other setup and removal of Tarnlink out until this process ends: a file
// only administrators can make (in the Windows folder), open without any sharing and
// gone when closed. A named object would do as well only where nobody else may make
// it first, and any user may make a named mutex. ERROR_SUCCESS, or why not
// (ERROR_SHARING_VIOLATION: another one runs).
DWORD LockSetup();

} // namespace tarnsetup
