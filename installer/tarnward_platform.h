#pragma once

#include "installer/tarnward_constants.h"

#include <cstdint>
#include <string>

namespace tarnward {

// Parameters of CreateServiceA that vary or matter; load-order group, tag,
// dependencies, account and password are always none (LocalSystem).
struct ServiceRegistration {
    const char* serviceName;
    const char* displayName;
    std::uint32_t desiredAccess;
    std::uint32_t serviceType;
    std::uint32_t startType;
    std::uint32_t errorControl;
    std::string binaryPath;
};

// The Windows operations Tarnward uses, all narrow-character: the Win32 layer for the
// program, fakes for tests. Handles are SC_HANDLEs; null means none.
class ITarnwardPlatform {
public:
    using Handle = void*;

    virtual ~ITarnwardPlatform() = default;

    // OpenSCManagerA on the local machine's active services database.
    virtual Handle OpenManager(std::uint32_t access) = 0;
    // OpenServiceA.
    virtual Handle OpenNamedService(Handle manager, const char* name, std::uint32_t access) = 0;
    // QueryServiceStatus; on success stores dwCurrentState.
    virtual bool QueryState(Handle service, std::uint32_t& currentState) = 0;
    // ControlService with SERVICE_CONTROL_STOP.
    virtual bool SendStop(Handle service) = 0;
    // DeleteService.
    virtual bool Delete(Handle service) = 0;
    // CreateServiceA.
    virtual Handle Create(Handle manager, const ServiceRegistration& registration) = 0;
    // ChangeServiceConfig2A, levels 1 and 2; their results do not matter to the install.
    virtual void SetDescription(Handle service, const char* description) = 0;
    virtual void SetFailureActions(Handle service, const FailureActions& actions) = 0;
    // CloseServiceHandle.
    virtual void Close(Handle handle) = 0;
    // GetModuleFileNameA for the running program.
    virtual std::uint32_t ModuleFileName(char* buffer, std::uint32_t size) = 0;
    // Whether the 8-bit path, read back through the ANSI code page without
    // replacements, is exactly the running program's UTF-16 path. GetModuleFileNameA
    // turns characters the code page lacks into look-alikes, naming another file.
    virtual bool NamesRunningProgram(const char* path) = 0;
    // IsDBCSLeadByte: whether the byte starts a double-byte character of the ANSI code page.
    virtual bool IsLeadByte(char byte) = 0;
    // GetLastError right after the failing call.
    virtual std::uint32_t LastError() = 0;
    // Sleep.
    virtual void Wait(std::uint32_t milliseconds) = 0;
    // MessageBoxA without owner window, OK button only; returns when the user presses OK.
    virtual void ShowMessage(const MessageText& message) = 0;
};

} // namespace tarnward
