#pragma once

#include "service/scm_api.h"

#include <cstdint>
#include <string>

// The control panel's connection to the proxy service: open once, then query,
// start and stop. Keeps no copy of the service's state.
class CServiceControl {
public:
    explicit CServiceControl(IScmApi& scm);
    CServiceControl(const CServiceControl&) = delete;
    CServiceControl& operator=(const CServiceControl&) = delete;
    virtual ~CServiceControl();

    // 0 when both handles are open, otherwise the error of the failing step.
    std::uint32_t Open(std::string name);
    bool QueryRunning();
    // 0 when accepted, kNoService without a service handle, else the error code.
    std::uint32_t RequestStart();
    std::uint32_t RequestStop();

    static constexpr std::uint32_t kNoService = 0xFFFFFFFFu; // shown as -1

private:
    IScmApi& m_scm;
    IScmApi::Handle m_hSCManager = nullptr;
    IScmApi::Handle m_hService = nullptr;
};
