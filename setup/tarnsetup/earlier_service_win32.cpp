#include "setup/tarnsetup/earlier_service_win32.h"

#include "installer/tarnward_constants.h"
#include "setup/tarnsetup/ascii_names.h"
#include "setup/tarnsetup/setup_names.h"

#include <vector>

namespace tarnsetup {
namespace {

constexpr DWORD kStopWaitRounds = 60;
constexpr DWORD kStopWaitStepMs = 500;

class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle() {
        if (handle_ != nullptr) {
            CloseServiceHandle(handle_);
        }
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE Get() const { return handle_; }

private:
    SC_HANDLE handle_;
};

std::wstring InFolder(const std::wstring& folder, const wchar_t* name) {
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    return path + name;
}

} // namespace

DWORD StopEarlierService() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (manager.Get() == nullptr) {
        return GetLastError();
    }
    const ServiceHandle service(OpenServiceW(manager.Get(), Widen(tarnward::kServiceName).c_str(),
                                             SERVICE_STOP | SERVICE_QUERY_STATUS));
    if (service.Get() == nullptr) {
        const DWORD error = GetLastError();
        return error == ERROR_SERVICE_DOES_NOT_EXIST ? ERROR_SUCCESS : error;
    }
    SERVICE_STATUS status{};
    // Refused when it is stopped already: the status says so.
    ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
    for (DWORD round = 0; round < kStopWaitRounds; ++round) {
        if (QueryServiceStatus(service.Get(), &status) &&
            status.dwCurrentState == SERVICE_STOPPED) {
            return ERROR_SUCCESS;
        }
        Sleep(kStopWaitStepMs);
    }
    return ERROR_SERVICE_REQUEST_TIMEOUT;
}

bool IsServiceRegistered() {
    const ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (manager.Get() == nullptr) {
        return true;
    }
    const ServiceHandle service(
        OpenServiceW(manager.Get(), Widen(tarnward::kServiceName).c_str(), SERVICE_QUERY_STATUS));
    return service.Get() != nullptr || GetLastError() != ERROR_SERVICE_DOES_NOT_EXIST;
}

bool IsPanelRunning(const std::wstring& folder) {
    const HANDLE file = CreateFileW(InFolder(folder, kPanelExe).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION;
    }
    CloseHandle(file);
    return false;
}

DWORD RunTarnward(const std::wstring& folder, const std::wstring& switches, bool& started) {
    const std::wstring program = InFolder(folder, kTarnwardExe);
    std::wstring line = L"\"" + program + L"\" " + switches;
    std::vector<wchar_t> command(line.begin(), line.end());
    command.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    started =
        CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                       nullptr, folder.c_str(), &startup, &process) != FALSE;
    if (!started) {
        return GetLastError();
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = ERROR_GEN_FAILURE;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

} // namespace tarnsetup
