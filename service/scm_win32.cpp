#include "service/scm_win32.h"

#include "service/service_values.h"

#include <windows.h>

static_assert(scm::kManagerAccess == SC_MANAGER_CONNECT);
static_assert(scm::kQueryStatusAccess == SERVICE_QUERY_STATUS);
static_assert(scm::kStartAccess == SERVICE_START);
static_assert(scm::kStopAccess == SERVICE_STOP);
static_assert(scm::kServiceAccess == 52);
static_assert(scm::kStateRunning == SERVICE_RUNNING);
static_assert(scm::kControlStop == SERVICE_CONTROL_STOP);

namespace {

SC_HANDLE AsScHandle(IScmApi::Handle handle) {
    return static_cast<SC_HANDLE>(handle);
}

} // namespace

IScmApi::Handle CWin32Scm::OpenManager(std::uint32_t access) {
    return OpenSCManagerW(nullptr, nullptr, access);
}

IScmApi::Handle CWin32Scm::OpenNamedService(Handle manager, const std::string& name,
                                            std::uint32_t access) {
    return OpenServiceA(AsScHandle(manager), name.c_str(), access);
}

bool CWin32Scm::QueryState(Handle service, std::uint32_t& currentState) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(AsScHandle(service), &status)) {
        return false;
    }
    currentState = status.dwCurrentState;
    return true;
}

bool CWin32Scm::Start(Handle service) {
    return StartServiceW(AsScHandle(service), 0, nullptr);
}

bool CWin32Scm::SendStop(Handle service) {
    SERVICE_STATUS ignored{};
    return ControlService(AsScHandle(service), scm::kControlStop, &ignored);
}

void CWin32Scm::Close(Handle handle) {
    CloseServiceHandle(AsScHandle(handle));
}

std::uint32_t CWin32Scm::LastError() {
    return GetLastError();
}
