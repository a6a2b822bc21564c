#pragma once

#include "installer/tarnward_platform.h"

#include <gmock/gmock.h>

#include <cstring>
#include <string>

namespace tarnward {

class MockPlatform : public ITarnwardPlatform {
public:
    MOCK_METHOD(Handle, OpenManager, (std::uint32_t), (override));
    MOCK_METHOD(Handle, OpenNamedService, (Handle, const char*, std::uint32_t), (override));
    MOCK_METHOD(bool, QueryState, (Handle, std::uint32_t&), (override));
    MOCK_METHOD(bool, SendStop, (Handle), (override));
    MOCK_METHOD(bool, Delete, (Handle), (override));
    MOCK_METHOD(Handle, Create, (Handle, const ServiceRegistration&), (override));
    MOCK_METHOD(void, SetDescription, (Handle, const char*), (override));
    MOCK_METHOD(void, SetFailureActions, (Handle, const FailureActions&), (override));
    MOCK_METHOD(void, Close, (Handle), (override));
    MOCK_METHOD(std::uint32_t, ModuleFileName, (char*, std::uint32_t), (override));
    MOCK_METHOD(bool, NamesRunningProgram, (const char*), (override));
    MOCK_METHOD(bool, IsLeadByte, (char), (override));
    MOCK_METHOD(std::uint32_t, LastError, (), (override));
    MOCK_METHOD(void, Wait, (std::uint32_t), (override));
    MOCK_METHOD(void, ShowMessage, (const MessageText&), (override));
};

// Distinct handle values for the fakes to hand out.
inline ITarnwardPlatform::Handle FakeHandle(int n) {
    static char tokens[8];
    return &tokens[n];
}

// QueryState answering success with the given state.
inline auto ReportState(std::uint32_t state) {
    return ::testing::DoAll(::testing::SetArgReferee<1>(state), ::testing::Return(true));
}

// GetModuleFileNameA as current Windows answers it: the path when it fits with its
// terminator, otherwise the path cut to size - 1 bytes, terminated, answering size.
inline auto AnswerModulePath(std::string path) {
    return [path](char* buffer, std::uint32_t size) -> std::uint32_t {
        const std::size_t copied = path.size() < size ? path.size() : size - 1;
        std::memcpy(buffer, path.data(), copied);
        buffer[copied] = '\0';
        return path.size() < size ? static_cast<std::uint32_t>(copied) : size;
    };
}

// Tarnward's boxes as its documentation gives them, written out here rather than
// taken from the code, so that a changed text in the code fails the tests.
namespace documented {

inline constexpr MessageText kUninstallNoScm{
    "Uninstall Service", "Unable to open Service Control Manager. Please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kUninstallCannotOpen{
    "Uninstall Service",
    "Unable to open the old instance of Proxy Server.\nPlease try to uninstall the old version "
    "first. If the problem will persist - please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kUninstallCannotRemove{
    "Uninstall Service",
    "Unable to remove the old instance of Proxy Server.\nPlease try to uninstall the old version "
    "first. If the problem will persist - please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kInstallNoScm{
    "Install Service", "Unable to open Service Control Manager. Please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kInstallNoPath{
    "Install Service", "Unable to get Service path. Please contact support.", MessageIcon::Error};
inline constexpr MessageText kInstallFolderNotInCodePage{
    "Install Service",
    "The name of this program's folder holds characters that the system's code page cannot "
    "represent, so the service cannot be registered from it.\nInstall Tarnlink into a folder "
    "whose name uses only such characters.",
    MessageIcon::Error};
inline constexpr MessageText kInstallCannotRegister{
    "Error",
    "Unable to register Windows Service.\nPlease uninstall any existen version of the software, "
    "reboot the computer and try to install the software again. If the problem will persist - "
    "please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kNotForUsers{"Proxy Service Install/Uninstall",
                                          "This program should not be run directly by user",
                                          MessageIcon::Information};

} // namespace documented

MATCHER_P(IsMessage, expected, "") {
    return std::string(arg.caption) == expected.caption && std::string(arg.text) == expected.text &&
           arg.icon == expected.icon;
}

MATCHER_P(NamesService, expected, "") {
    return std::string(arg) == expected;
}

} // namespace tarnward
