#pragma once

#include <cstdint>
#include <string>

// The Service Control Manager calls the controller makes, as a narrow interface:
// the Win32 implementation for the program, fakes for tests.
class IScmApi {
public:
    using Handle = void*; // SC_HANDLE; null means none

    virtual ~IScmApi() = default;

    // OpenSCManagerW on the local machine's active database.
    virtual Handle OpenManager(std::uint32_t access) = 0;
    // OpenServiceA.
    virtual Handle OpenNamedService(Handle manager, const std::string& name,
                                    std::uint32_t access) = 0;
    // QueryServiceStatus; on success stores dwCurrentState.
    virtual bool QueryState(Handle service, std::uint32_t& currentState) = 0;
    // StartServiceW with no arguments.
    virtual bool Start(Handle service) = 0;
    // ControlService with SERVICE_CONTROL_STOP.
    virtual bool SendStop(Handle service) = 0;
    // CloseServiceHandle.
    virtual void Close(Handle handle) = 0;
    // GetLastError right after the failing call.
    virtual std::uint32_t LastError() = 0;
};
