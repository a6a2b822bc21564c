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
        if (manager != nullptr) {
            m_platform.Close(manager);
        }
        if (service != nullptr) {
            m_platform.Close(service);
        }
    }

    ITarnwardPlatform::Handle manager = nullptr;
    ITarnwardPlatform::Handle service = nullptr;

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
        handles.manager = m_platform.OpenManager(kScmConnectAccess);
        if (handles.manager == nullptr) {
            Fail(kUninstallNoScm, m_platform.LastError());
        }
        handles.service =
            m_platform.OpenNamedService(handles.manager, kServiceName, kUninstallAccess);
        if (handles.service == nullptr) {
            const std::uint32_t error = m_platform.LastError();
            if (error == kErrorServiceDoesNotExist) {
                return kSuccess;
            }
            Fail(kUninstallCannotOpen, error);
        }
        StopAndWait(handles.service);
        // Removal is asked for even when the service has not stopped in time.
        if (!m_platform.Delete(handles.service)) {
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
        handles.manager = m_platform.OpenManager(kScmCreateAccess);
        if (handles.manager == nullptr) {
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
        handles.service = m_platform.Create(handles.manager, registration);
        if (handles.service == nullptr) {
            std::uint32_t error = m_platform.LastError();
            if (error == kErrorServiceExists || error == kErrorServiceMarkedForDelete) {
                // The uninstall has said what went wrong; nothing more is shown.
                const std::uint32_t uninstalled = UninstallService();
                if (uninstalled != kSuccess) {
                    return uninstalled;
                }
                handles.service = m_platform.Create(handles.manager, registration);
                if (handles.service == nullptr) {
                    error = m_platform.LastError();
                }
            }
            if (handles.service == nullptr) {
                Fail(kInstallCannotRegister, error);
            }
        }
        m_platform.SetDescription(handles.service, kDescription);
        m_platform.SetFailureActions(handles.service, kFailureActions);
        return kSuccess;
    } catch (const OperationFailure& failure) {
        return failure.code;
    }
}

} // namespace tarnward
