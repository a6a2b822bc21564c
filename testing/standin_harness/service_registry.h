#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Direct Service Control Manager access for test set-up and clean-up, with rights
// the control panel never asks for.
namespace service_registry {

// Registers an own-process, demand-start service running commandLine (already
// quoted as needed). Returns 0 or the error code.
DWORD Register(const std::string& name, const std::string& commandLine);

// The current state (SERVICE_RUNNING...), or nothing when the service is not
// registered or cannot be queried.
std::optional<DWORD> CurrentState(const std::string& name);

// Stops the service, ends its process when it does not stop within the wait,
// deletes the registration and waits until it is gone. Does nothing when the
// service is not registered. True when no registration is left.
bool RemoveCompletely(const std::string& name);

} // namespace service_registry
