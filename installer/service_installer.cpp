#include "installer/service_installer.h"

#include "installer/service_path.h"

#include <utility>

namespace tarnward {
namespace {

// Leaves an operation early; caught at the operation's end.
struct OperationFailure {
    std::uint32_t code;
};

// What one operation opened. Its destructor is the operation's single clean-up:
// the SCM handle first, then the service handle.
class COpenedHandles {
public:
    explicit COpenedHandles(ITarnwardPlatform& platform) : m_platform(platform) {}
    COpenedHandles(const COpenedHandles&) = delete;
    COpenedHandles& operator=(const COpenedHandles&) = delete;
    ~COpenedHandles() {
        if (m_hSCManager != nullptr) {
            m_platform.Close(m_hSCManager);
        }
        if (m_hService != nullptr) {
            m_platform.Close(m_hService);
        }
    }

    ITarnwardPlatform::Handle m_hSCManager = nullptr;
    ITarnwardPlatform::Handle m_hService = nullptr;

private:
    ITarnwardPlatform& m_platform;
};

ServiceRegistration MakeRegistration(std::string binaryPath) {
    return {kServiceName, kDisplayName,        kNewServiceAccess,    kOwnProcessService,
            kAutoStart,   kErrorControlIgnore, std::move(binaryPath)};
}

} // namespace

void CServiceInstaller::Fail(const MessageText& message, std::uint32_t code) {
    if (!m_quiet) {
        m_platform.ShowMessage(message);
    }
    throw OperationFailure{code};
}

void CServiceInstaller::StopAndWait(ITarnwardPlatform::Handle service) {
    std::uint32_t state = 0;
    if (!m_platform.QueryState(service, state) || state == kServiceStopped ||
        !m_platform.SendStop(service)) {
        return;
    }
    for (std::uint32_t round = 1; round <= kStopWaitRounds; ++round) {
        m_platform.Wait(round * kStopWaitStepMs);
        if (!m_platform.QueryState(service, state) || state == kServiceStopped) {
            return;
        }
    }
}

std::uint32_t CServiceInstaller::UninstallService() {
    COpenedHandles handles(m_platform);
    try {
        handles.m_hSCManager = m_platform.OpenManager(kScmConnectAccess);
        if (handles.m_hSCManager == nullptr) {
            Fail(kUninstallNoScm, m_platform.LastError());
        }
        handles.m_hService =
            m_platform.OpenNamedService(handles.m_hSCManager, kServiceName, kUninstallAccess);
        if (handles.m_hService == nullptr) {
            const std::uint32_t error = m_platform.LastError();
            if (error == kErrorServiceDoesNotExist) {
                return kSuccess;
            }
            Fail(kUninstallCannotOpen, error);
        }
        StopAndWait(handles.m_hService);
        // Removal is asked for even when the service has not stopped in time.
        if (!m_platform.Delete(handles.m_hService)) {
            Fail(kUninstallCannotRemove, m_platform.LastError());
        }
        return kSuccess;
    } catch (const OperationFailure& failure) {
        return failure.code;
    }
}

std::uint32_t CServiceInstaller::InstallService() {
    COpenedHandles handles(m_platform);
    try {
        handles.m_hSCManager = m_platform.OpenManager(kScmCreateAccess);
        if (handles.m_hSCManager == nullptr) {
            Fail(kInstallNoScm, m_platform.LastError());
        }
        const ServicePath path = BuildServicePath(m_platform);
        if (path == ServicePath{ServicePathError::NoOwnFolder}) {
            Fail(kInstallNoPath, kExitNoOwnFolder);
        }
        if (path == ServicePath{ServicePathError::NotInCodePage}) {
            Fail(kInstallFolderNotInCodePage, kErrorNoUnicodeTranslation);
        }
        const ServiceRegistration registration = MakeRegistration(std::get<std::string>(path));
        handles.m_hService = m_platform.Create(handles.m_hSCManager, registration);
        if (handles.m_hService == nullptr) {
            std::uint32_t error = m_platform.LastError();
            if (error == kErrorServiceExists || error == kErrorServiceMarkedForDelete) {
                // The uninstall has said what went wrong; nothing more is shown.
                const std::uint32_t uninstalled = UninstallService();
                if (uninstalled != kSuccess) {
                    return uninstalled;
                }
                handles.m_hService = m_platform.Create(handles.m_hSCManager, registration);
                if (handles.m_hService == nullptr) {
                    error = m_platform.LastError();
                }
            }
            if (handles.m_hService == nullptr) {
                Fail(kInstallCannotRegister, error);
            }
        }
        m_platform.SetDescription(handles.m_hService, kDescription);
        m_platform.SetFailureActions(handles.m_hService, kFailureActions);
        return kSuccess;
    } catch (const OperationFailure& failure) {
        return failure.code;
    }
}

} // namespace tarnward
