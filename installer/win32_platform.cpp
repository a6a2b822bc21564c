#include "installer/win32_platform.h"

#include <windows.h>

#include <array>
#include <string>

namespace tarnward {
namespace {

static_assert(kErrorServiceDoesNotExist == ERROR_SERVICE_DOES_NOT_EXIST);
static_assert(kErrorServiceMarkedForDelete == ERROR_SERVICE_MARKED_FOR_DELETE);
static_assert(kErrorServiceExists == ERROR_SERVICE_EXISTS);
static_assert(kErrorNoUnicodeTranslation == ERROR_NO_UNICODE_TRANSLATION);
static_assert(kServiceStopped == SERVICE_STOPPED);
static_assert(kScmConnectAccess == SC_MANAGER_CONNECT);
static_assert(kScmCreateAccess == SC_MANAGER_CREATE_SERVICE);
static_assert(kUninstallAccess == (DELETE | SERVICE_STOP | SERVICE_QUERY_STATUS));
static_assert(kNewServiceAccess == SERVICE_ALL_ACCESS);
static_assert(kOwnProcessService == SERVICE_WIN32_OWN_PROCESS);
static_assert(kAutoStart == SERVICE_AUTO_START);
static_assert(kErrorControlIgnore == SERVICE_ERROR_IGNORE);
static_assert(kActionNone == SC_ACTION_NONE);
static_assert(kActionRestart == SC_ACTION_RESTART);
static_assert(static_cast<UINT>(MessageIcon::Error) == MB_ICONERROR);
static_assert(static_cast<UINT>(MessageIcon::Information) == MB_ICONINFORMATION);
static_assert(kOwnPathFirstSize == MAX_PATH);

SC_HANDLE ToScHandle(ITarnwardPlatform::Handle handle) {
    return static_cast<SC_HANDLE>(handle);
}

// The configuration structures take non-const strings but only read them.
LPSTR Writable(const char* text) {
    return const_cast<LPSTR>(text);
}

} // namespace

ITarnwardPlatform::Handle CWin32Platform::OpenManager(std::uint32_t access) {
    return OpenSCManagerA(nullptr, nullptr, access);
}

ITarnwardPlatform::Handle CWin32Platform::OpenNamedService(Handle manager, const char* name,
                                                           std::uint32_t access) {
    return OpenServiceA(ToScHandle(manager), name, access);
}

bool CWin32Platform::QueryState(Handle service, std::uint32_t& currentState) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(ToScHandle(service), &status)) {
        return false;
    }
    currentState = status.dwCurrentState;
    return true;
}

bool CWin32Platform::SendStop(Handle service) {
    SERVICE_STATUS status{};
    return ControlService(ToScHandle(service), SERVICE_CONTROL_STOP, &status) != FALSE;
}

bool CWin32Platform::Delete(Handle service) {
    return DeleteService(ToScHandle(service)) != FALSE;
}

ITarnwardPlatform::Handle CWin32Platform::Create(Handle manager,
                                                 const ServiceRegistration& registration) {
    // No load-order group, tag, dependencies, account or password: LocalSystem.
    return CreateServiceA(ToScHandle(manager), registration.serviceName, registration.displayName,
                          registration.desiredAccess, registration.serviceType,
                          registration.startType, registration.errorControl,
                          registration.binaryPath.c_str(), nullptr, nullptr, nullptr, nullptr,
                          nullptr);
}

void CWin32Platform::SetDescription(Handle service, const char* description) {
    SERVICE_DESCRIPTIONA info{Writable(description)};
    ChangeServiceConfig2A(ToScHandle(service), SERVICE_CONFIG_DESCRIPTION, &info);
}

void CWin32Platform::SetFailureActions(Handle service, const FailureActions& actions) {
    std::array<SC_ACTION, std::tuple_size_v<decltype(actions.actions)>> list{};
    for (std::size_t i = 0; i < list.size(); ++i) {
        list[i].Type = static_cast<SC_ACTION_TYPE>(actions.actions[i].type);
        list[i].Delay = actions.actions[i].delayMs;
    }
    SERVICE_FAILURE_ACTIONSA info{};
    info.dwResetPeriod = actions.resetPeriodSeconds;
    info.lpRebootMsg = Writable(actions.rebootMessage);
    info.lpCommand = Writable(actions.command);
    info.cActions = static_cast<DWORD>(list.size());
    info.lpsaActions = list.data();
    ChangeServiceConfig2A(ToScHandle(service), SERVICE_CONFIG_FAILURE_ACTIONS, &info);
}

void CWin32Platform::Close(Handle handle) {
    CloseServiceHandle(ToScHandle(handle));
}

std::uint32_t CWin32Platform::ModuleFileName(char* buffer, std::uint32_t size) {
    return GetModuleFileNameA(nullptr, buffer, size);
}

bool CWin32Platform::NamesRunningProgram(const char* path) {
    std::wstring own(kWideOwnPathSize, L'\0');
    const DWORD ownLength = GetModuleFileNameW(nullptr, own.data(), kWideOwnPathSize);
    if (ownLength == 0 || ownLength >= kWideOwnPathSize) {
        return false;
    }
    own.resize(ownLength);
    // Length -1: the counts include the terminator. MB_ERR_INVALID_CHARS fails on bytes
    // the code page does not define instead of guessing at them.
    const int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (needed <= 0) {
        return false;
    }
    std::wstring converted(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, converted.data(), needed) !=
        needed) {
        return false;
    }
    converted.resize(static_cast<std::size_t>(needed) - 1);
    return converted == own;
}

bool CWin32Platform::IsLeadByte(char byte) {
    return IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
}

std::uint32_t CWin32Platform::LastError() {
    return GetLastError();
}

void CWin32Platform::Wait(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

void CWin32Platform::ShowMessage(const MessageText& message) {
    MessageBoxA(nullptr, message.text, message.caption, MB_OK | static_cast<UINT>(message.icon));
}

} // namespace tarnward
