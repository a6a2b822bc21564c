#pragma once

#include "service/scm_api.h"
#include "service/service_values.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <string>

// A Service Control Manager with one service. Unless a test expects a call itself,
// it answers from the script below and counts what it was asked: the controller's
// own tests hold it as a StrictMock and state every call, the pages above the
// controller hold it as a NiceMock and only set the script.
class ScmDouble : public IScmApi {
public:
    static constexpr std::uint32_t kStopped = 1;
    static constexpr std::uint32_t kStartPending = 2;
    static constexpr std::uint32_t kStopPending = 3;
    static constexpr std::uint32_t kRunning = scm::kStateRunning;

    ScmDouble() {
        ON_CALL(*this, OpenManager).WillByDefault([this](std::uint32_t) -> Handle {
            return Answer(managerError) ? &m_manager : nullptr;
        });
        ON_CALL(*this, OpenNamedService)
            .WillByDefault([this](Handle, const std::string& name, std::uint32_t) -> Handle {
                openedName = name;
                return Answer(serviceError) ? &m_service : nullptr;
            });
        ON_CALL(*this, QueryState).WillByDefault([this](Handle, std::uint32_t& currentState) {
            ++queries;
            currentState = state;
            return true;
        });
        ON_CALL(*this, Start).WillByDefault([this](Handle) {
            ++starts;
            if (onStart) {
                onStart();
            }
            return Answer(startError);
        });
        ON_CALL(*this, SendStop).WillByDefault([this](Handle) {
            ++stops;
            return Answer(stopError);
        });
        ON_CALL(*this, LastError).WillByDefault([this] { return m_lastError; });
    }

    MOCK_METHOD(Handle, OpenManager, (std::uint32_t access), (override));
    MOCK_METHOD(Handle, OpenNamedService,
                (Handle manager, const std::string& name, std::uint32_t access), (override));
    MOCK_METHOD(bool, QueryState, (Handle service, std::uint32_t& currentState), (override));
    MOCK_METHOD(bool, Start, (Handle service), (override));
    MOCK_METHOD(bool, SendStop, (Handle service), (override));
    MOCK_METHOD(void, Close, (Handle handle), (override));
    MOCK_METHOD(std::uint32_t, LastError, (), (override));

    // The script: each call's error code (0 lets it succeed) and the service's state.
    std::uint32_t managerError = 0;
    std::uint32_t serviceError = 0;
    std::uint32_t startError = 0;
    std::uint32_t stopError = 0;
    std::uint32_t state = kStopped;
    std::function<void()> onStart;

    // What the controller asked.
    std::string openedName;
    int queries = 0;
    int starts = 0;
    int stops = 0;

private:
    // A scripted call: it leaves its code for LastError and succeeds without one.
    bool Answer(std::uint32_t error) {
        m_lastError = error;
        return error == 0;
    }

    int m_manager = 0;
    int m_service = 0;
    std::uint32_t m_lastError = 0;
};
