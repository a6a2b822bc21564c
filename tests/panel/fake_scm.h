#pragma once

#include "service/scm_api.h"

#include <cstdint>
#include <functional>
#include <string>

// A scripted Service Control Manager with one service. Tests set the service's
// state and the answers to requests, and count what the controller asked.
class FakeScm : public IScmApi {
public:
    static constexpr std::uint32_t kStopped = 1;
    static constexpr std::uint32_t kStartPending = 2;
    static constexpr std::uint32_t kStopPending = 3;
    static constexpr std::uint32_t kRunning = 4;

    Handle OpenManager(std::uint32_t) override {
        if (managerError != 0) {
            m_lastError = managerError;
            return nullptr;
        }
        return &m_manager;
    }
    Handle OpenNamedService(Handle, const std::string& name, std::uint32_t) override {
        openedName = name;
        if (serviceError != 0) {
            m_lastError = serviceError;
            return nullptr;
        }
        return &m_service;
    }
    bool QueryState(Handle, std::uint32_t& currentState) override {
        ++queries;
        currentState = state;
        return true;
    }
    bool Start(Handle) override {
        ++starts;
        if (onStart) {
            onStart();
        }
        m_lastError = startError;
        return startError == 0;
    }
    bool SendStop(Handle) override {
        ++stops;
        m_lastError = stopError;
        return stopError == 0;
    }
    void Close(Handle) override {}
    std::uint32_t LastError() override { return m_lastError; }

    std::uint32_t managerError = 0;
    std::uint32_t serviceError = 0;
    std::uint32_t startError = 0;
    std::uint32_t stopError = 0;
    std::uint32_t state = kStopped;
    std::function<void()> onStart;

    std::string openedName;
    int queries = 0;
    int starts = 0;
    int stops = 0;

private:
    int m_manager = 0;
    int m_service = 0;
    std::uint32_t m_lastError = 0;
};
