#include "service/service_control.h"

#include "service/service_values.h"

CServiceControl::CServiceControl(IScmApi& scm) : m_scm(scm) {}

CServiceControl::~CServiceControl() {
    if (m_hSCManager != nullptr) {
        m_scm.Close(m_hSCManager);
    }
    if (m_hService != nullptr) {
        m_scm.Close(m_hService);
    }
}

std::uint32_t CServiceControl::Open(std::string name) {
    if (m_hSCManager != nullptr) {
        m_scm.Close(m_hSCManager);
    }
    m_hSCManager = m_scm.OpenManager(scm::kManagerAccess);
    if (m_hSCManager == nullptr) {
        return m_scm.LastError();
    }
    if (m_hService != nullptr) {
        m_scm.Close(m_hService);
    }
    m_hService = m_scm.OpenNamedService(m_hSCManager, name, scm::kServiceAccess);
    if (m_hService == nullptr) {
        return m_scm.LastError();
    }
    return 0;
}

bool CServiceControl::QueryRunning() {
    if (m_hService == nullptr) {
        return false;
    }
    std::uint32_t state = 0;
    if (!m_scm.QueryState(m_hService, state)) {
        return false;
    }
    return state == scm::kStateRunning;
}

std::uint32_t CServiceControl::RequestStart() {
    if (m_hService == nullptr) {
        return kNoService;
    }
    if (!m_scm.Start(m_hService)) {
        // A failure without a reason is taken as accepted; the polling that follows
        // shows what really happened.
        return m_scm.LastError();
    }
    return 0;
}

std::uint32_t CServiceControl::RequestStop() {
    if (m_hService == nullptr) {
        return kNoService;
    }
    if (!m_scm.SendStop(m_hService)) {
        return m_scm.LastError();
    }
    return 0;
}
