#pragma once

#include "service/scm_api.h"

#include <gmock/gmock.h>

class MockScm : public IScmApi {
public:
    MOCK_METHOD(Handle, OpenManager, (std::uint32_t access), (override));
    MOCK_METHOD(Handle, OpenNamedService,
                (Handle manager, const std::string& name, std::uint32_t access), (override));
    MOCK_METHOD(bool, QueryState, (Handle service, std::uint32_t& currentState), (override));
    MOCK_METHOD(bool, Start, (Handle service), (override));
    MOCK_METHOD(bool, SendStop, (Handle service), (override));
    MOCK_METHOD(void, Close, (Handle handle), (override));
    MOCK_METHOD(std::uint32_t, LastError, (), (override));
};
