#pragma once

#include "installer/tarnward_platform.h"

#include <cstdint>

namespace tarnward {

// Registers the proxy service or stops and removes it. Each operation shows its own
// failure messages, unless quiet, and answers 0, a Windows error code or one of
// Tarnward's codes.
class CServiceInstaller {
public:
    explicit CServiceInstaller(ITarnwardPlatform& platform, bool quiet = false)
        : m_platform(platform), m_quiet(quiet) {}

    // Replaces an old registration in the way by running UninstallService first.
    std::uint32_t InstallService();
    // Nothing registered counts as success.
    std::uint32_t UninstallService();

private:
    // Shows the message unless quiet, then leaves the operation with the code.
    [[noreturn]] void Fail(const MessageText& message, std::uint32_t code);
    // Sends the stop control to a running service and waits up to 15 s for it to stop.
    void StopAndWait(ITarnwardPlatform::Handle service);

    ITarnwardPlatform& m_platform;
    bool m_quiet;
};

} // namespace tarnward
