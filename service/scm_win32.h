#pragma once

#include "service/scm_api.h"

// The Service Control Manager calls of the running program.
class CWin32Scm : public IScmApi {
public:
    Handle OpenManager(std::uint32_t access) override;
    Handle OpenNamedService(Handle manager, const std::string& name, std::uint32_t access) override;
    bool QueryState(Handle service, std::uint32_t& currentState) override;
    bool Start(Handle service) override;
    bool SendStop(Handle service) override;
    void Close(Handle handle) override;
    std::uint32_t LastError() override;
};
