#include "testing/standin_harness/service_registry.h"

#include "testing/standin_harness/wait_until.h"

#include <chrono>
#include <optional>
#include <vector>

namespace service_registry {
namespace {

using namespace std::chrono_literals;

// Bounds of the clean-up waits, well above the lag of Wine's service manager.
constexpr auto kStopWait = 5s;
constexpr auto kProcessEndWait = 5s;
constexpr auto kDeleteWait = 10s;

// Closes a service handle when it leaves scope.
class CScHandle {
public:
    explicit CScHandle(SC_HANDLE handle) : m_handle(handle) {}
    CScHandle(const CScHandle&) = delete;
    CScHandle& operator=(const CScHandle&) = delete;
    ~CScHandle() {
        if (m_handle != nullptr) {
            CloseServiceHandle(m_handle);
        }
    }
    SC_HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    SC_HANDLE m_handle;
};

std::optional<SERVICE_STATUS_PROCESS> QueryStatus(SC_HANDLE service) {
    SERVICE_STATUS_PROCESS status{};
    DWORD needed = 0;
    if (!QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                              sizeof status, &needed)) {
        return std::nullopt;
    }
    return status;
}

// Stopped, or its process has ended: Wine's manager keeps the last reported
// state of a service whose process died, so the state alone can wait forever.
bool IsDown(SC_HANDLE service) {
    const auto status = QueryStatus(service);
    if (!status) {
        return false;
    }
    if (status->dwCurrentState == SERVICE_STOPPED || status->dwProcessId == 0) {
        return true;
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, status->dwProcessId);
    if (process == nullptr) {
        return true;
    }
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// The executable the registration names, without quotes or arguments.
std::string RegisteredProgram(SC_HANDLE service) {
    DWORD needed = 0;
    QueryServiceConfigA(service, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (needed == 0 || !QueryServiceConfigA(service, config, needed, &needed) ||
        config->lpBinaryPathName == nullptr) {
        return {};
    }
    const std::string command = config->lpBinaryPathName;
    if (command.starts_with('"')) {
        return command.substr(1, command.find('"', 1) - 1);
    }
    return command.substr(0, command.find(' '));
}

// Ends the service's process, after making sure the recorded process id still
// belongs to the registered program and not to a process that reused it.
void EndProcessOf(SC_HANDLE service) {
    const auto status = QueryStatus(service);
    if (!status || status->dwProcessId == 0) {
        return;
    }
    HANDLE process =
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                    status->dwProcessId);
    if (process == nullptr) {
        return;
    }
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameA(process, 0, image, &size) &&
        lstrcmpiA(image, RegisteredProgram(service).c_str()) == 0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process,
                            static_cast<DWORD>(std::chrono::milliseconds(kProcessEndWait).count()));
    }
    CloseHandle(process);
}

bool IsRegistered(SC_HANDLE manager, const std::string& name) {
    const CScHandle service(OpenServiceA(manager, name.c_str(), SERVICE_QUERY_STATUS));
    return static_cast<bool>(service) || GetLastError() != ERROR_SERVICE_DOES_NOT_EXIST;
}

} // namespace

DWORD Register(const std::string& name, const std::string& commandLine) {
    const CScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    if (!manager) {
        return GetLastError();
    }
    const CScHandle service(
        CreateServiceA(manager.Get(), name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                       commandLine.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    return service ? 0 : GetLastError();
}

std::optional<DWORD> CurrentState(const std::string& name) {
    const CScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return std::nullopt;
    }
    const CScHandle service(OpenServiceA(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS));
    if (!service) {
        return std::nullopt;
    }
    const auto status = QueryStatus(service.Get());
    if (!status) {
        return std::nullopt;
    }
    return status->dwCurrentState;
}

bool RemoveCompletely(const std::string& name) {
    const CScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return false;
    }
    {
        const CScHandle service(
            OpenServiceA(manager.Get(), name.c_str(),
                         SERVICE_STOP | SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG | DELETE));
        if (!service) {
            return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
        }
        SERVICE_STATUS ignored{};
        ControlService(service.Get(), SERVICE_CONTROL_STOP, &ignored);
        if (!WaitUntil([&] { return IsDown(service.Get()); }, kStopWait)) {
            // The service ignores the stop control or hangs.
            EndProcessOf(service.Get());
        }
        DeleteService(service.Get());
    }
    // The registration goes once the last handle to it is closed.
    return WaitUntil([&] { return !IsRegistered(manager.Get(), name); }, kDeleteWait);
}

} // namespace service_registry
