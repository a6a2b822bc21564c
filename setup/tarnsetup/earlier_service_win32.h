#pragma once

#include <windows.h>

#include <string>

namespace tarnsetup {

// Stops the earlier installation's service before its programs are replaced or
// removed, waiting up to 30 seconds; its registration stays. ERROR_SUCCESS when it is
// stopped or not registered, ERROR_SERVICE_REQUEST_TIMEOUT when it did not stop, or
// the error that kept it from being asked.
DWORD StopEarlierService();

// Whether the service is registered (also when it cannot be asked, which errs on
// leaving a registration alone).
bool IsServiceRegistered();

// Whether a program in the folder is running (its file cannot be written): the control
// panel keeps the service open, so that its registration could be neither replaced nor
// removed until it ends.
bool IsPanelRunning(const std::wstring& folder);

// Runs the folder's Tarnward.exe with the switches, without a window, and answers its
// exit code, or the error that kept it from starting (in `started` false).
DWORD RunTarnward(const std::wstring& folder, const std::wstring& switches, bool& started);

} // namespace tarnsetup
