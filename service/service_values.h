#pragma once

#include <cstdint>

// The values the control panel and the stand-in agree on with the Service Control
// Manager. Kept free of <windows.h> so the controller builds and tests on any host;
// the Win32 layer checks them against the SDK's definitions.
namespace scm {

// The proxy service's registered name.
inline constexpr char kServiceName[] = "TarnlinkServer";

// SC_MANAGER_CONNECT: connect only, no enumeration or creation.
inline constexpr std::uint32_t kManagerAccess = 0x0001;

// SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP; nothing that could change or
// delete the registration.
inline constexpr std::uint32_t kQueryStatusAccess = 0x0004;
inline constexpr std::uint32_t kStartAccess = 0x0010;
inline constexpr std::uint32_t kStopAccess = 0x0020;
inline constexpr std::uint32_t kServiceAccess = kQueryStatusAccess | kStartAccess | kStopAccess;

// SERVICE_RUNNING: the only state that counts as running.
inline constexpr std::uint32_t kStateRunning = 4;

// SERVICE_CONTROL_STOP: the only control the panel sends.
inline constexpr std::uint32_t kControlStop = 1;

} // namespace scm
