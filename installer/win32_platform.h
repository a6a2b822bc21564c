#pragma once

#include "installer/tarnward_platform.h"

namespace tarnward {

// ITarnwardPlatform over the narrow-character Win32 functions.
class CWin32Platform : public ITarnwardPlatform {
public:
    Handle OpenManager(std::uint32_t access) override;
    Handle OpenNamedService(Handle manager, const char* name, std::uint32_t access) override;
    bool QueryState(Handle service, std::uint32_t& currentState) override;
    bool SendStop(Handle service) override;
    bool Delete(Handle service) override;
    Handle Create(Handle manager, const ServiceRegistration& registration) override;
    void SetDescription(Handle service, const char* description) override;
    void SetFailureActions(Handle service, const FailureActions& actions) override;
    void Close(Handle handle) override;
    std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) override;
    bool NamesRunningProgram(const char* path) override;
    bool IsLeadByte(char byte) override;
    std::uint32_t LastError() override;
    void Wait(std::uint32_t milliseconds) override;
    void ShowMessage(const MessageText& message) override;
};

} // namespace tarnward
