#include "config/settings_names.h"
#include "installer/tarnward_constants.h"
#include "testing/standin_harness/standin_install.h"
#include "testing/standin_harness/wait_until.h"
#include "testing/standin_proxy/log_lines.h"
#include "testing/tarnward_recording/message_record.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Tarnward against Wine's real Service Control Manager, run as a separate process
// from a copy in a temporary folder whose name holds a space.
namespace {

using namespace std::chrono_literals;

constexpr char kShippedProgram[] = "Tarnward.exe";
constexpr char kRecordingProgram[] = "tarnward_recording.exe";
constexpr char kMessageLogName[] = "messages.txt";
constexpr DWORD kRunTimeoutMs = 60000;
constexpr auto kScmLag = 10s;

// Text in the ANSI code page as UTF-16.
std::wstring Widened(const std::string& text) {
    const int length = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), length)));
    return wide;
}

// Runs a program to its end; its exit code, or nothing when it cannot start or hangs.
// UTF-16, so that a program in a folder the code page cannot name starts too.
std::optional<DWORD> RunToEnd(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return std::nullopt;
    }
    CloseHandle(process.hThread);
    std::optional<DWORD> exitCode;
    if (WaitForSingleObject(process.hProcess, kRunTimeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        exitCode = code;
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return exitCode;
}

struct Registration {
    DWORD serviceType;
    DWORD startType;
    DWORD errorControl;
    std::string binaryPath;
    std::string loadOrderGroup;
    std::string dependencies;
    std::string account;
    std::string displayName;
    std::string description;
};

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? text : "";
}

std::optional<Registration> ReadRegistration() {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return std::nullopt;
    }
    std::optional<Registration> result;
    const SC_HANDLE service = OpenServiceA(manager, tarnward::kServiceName, SERVICE_QUERY_CONFIG);
    if (service != nullptr) {
        DWORD needed = 0;
        QueryServiceConfigA(service, nullptr, 0, &needed);
        std::vector<BYTE> config(needed);
        DWORD descriptionNeeded = 0;
        QueryServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, nullptr, 0, &descriptionNeeded);
        std::vector<BYTE> description(descriptionNeeded);
        if (needed != 0 && descriptionNeeded != 0 &&
            QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(config.data()),
                                needed, &needed) &&
            QueryServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, description.data(),
                                 descriptionNeeded, &descriptionNeeded)) {
            const auto* c = reinterpret_cast<const QUERY_SERVICE_CONFIGA*>(config.data());
            const auto* d = reinterpret_cast<const SERVICE_DESCRIPTIONA*>(description.data());
            result = Registration{c->dwServiceType,
                                  c->dwStartType,
                                  c->dwErrorControl,
                                  TextOrEmpty(c->lpBinaryPathName),
                                  TextOrEmpty(c->lpLoadOrderGroup),
                                  TextOrEmpty(c->lpDependencies),
                                  TextOrEmpty(c->lpServiceStartName),
                                  TextOrEmpty(c->lpDisplayName),
                                  TextOrEmpty(d->lpDescription)};
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return result;
}

// The service's current state; nothing when it is not registered.
std::optional<DWORD> CurrentState() {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return std::nullopt;
    }
    std::optional<DWORD> state;
    const SC_HANDLE service = OpenServiceA(manager, tarnward::kServiceName, SERVICE_QUERY_STATUS);
    if (service != nullptr) {
        SERVICE_STATUS status{};
        if (QueryServiceStatus(service, &status)) {
            state = status.dwCurrentState;
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return state;
}

bool IsRegistered() {
    return CurrentState().has_value();
}

bool IsRunning() {
    return CurrentState() == DWORD{SERVICE_RUNNING};
}

bool StartService() {
    const SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) {
        return false;
    }
    const SC_HANDLE service = OpenServiceA(manager, tarnward::kServiceName, SERVICE_START);
    const bool started = service != nullptr && StartServiceA(service, 0, nullptr);
    if (service != nullptr) {
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return started && WaitUntil(IsRunning, kScmLag);
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

class TarnwardUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(folder.SetupError(), 0u);
        ASSERT_NE(folder.Folder().find(' '), std::string::npos);
        ASSERT_EQ(folder.CopyProgram(kShippedProgram), 0u);
        ASSERT_EQ(folder.CopyProgram(kRecordingProgram), 0u);
        ASSERT_TRUE(folder.Unregister()) << "a registration from elsewhere is in the way";
        SetEnvironmentVariableA(tarnward::kMessageLogVariable,
                                folder.PathOf(kMessageLogName).c_str());
    }

    std::optional<DWORD> Run(const char* program, const std::string& arguments) {
        return RunToEnd(Widened(folder.PathOf(program)), Widened(arguments));
    }
    std::string RecordedMessages() const { return folder.ReadFile(kMessageLogName); }
    std::string ExpectedBinaryPath() const {
        return "\"" + Lowered(folder.Folder()) + "Proxy.exe\"";
    }

    CStandinInstall folder;
};

TEST_F(TarnwardUnderWine, InstallRegistersEveryParameterAndLeavesTheServiceStopped) {
    ASSERT_EQ(Run(kShippedProgram, "-i"), DWORD{0});
    ASSERT_TRUE(WaitUntil(IsRegistered, kScmLag));
    const std::optional<Registration> registration = ReadRegistration();
    ASSERT_TRUE(registration.has_value());
    EXPECT_EQ(registration->serviceType, DWORD{SERVICE_WIN32_OWN_PROCESS});
    EXPECT_EQ(registration->startType, DWORD{SERVICE_AUTO_START});
    EXPECT_EQ(registration->errorControl, DWORD{SERVICE_ERROR_IGNORE});
    EXPECT_EQ(registration->binaryPath, ExpectedBinaryPath());
    EXPECT_EQ(registration->loadOrderGroup, "");
    EXPECT_EQ(registration->dependencies, "");
    EXPECT_EQ(registration->account, "LocalSystem");
    EXPECT_EQ(registration->displayName, "TarnlinkServer");
    EXPECT_EQ(registration->description, "Tarnlink Server");
    EXPECT_EQ(CurrentState(), DWORD{SERVICE_STOPPED});
    // The quoted path starts the program although its folder holds a space.
    EXPECT_TRUE(StartService());
}

TEST_F(TarnwardUnderWine, InstallReplacesARunningOldRegistrationSilently) {
    ASSERT_EQ(folder.Register(), 0u);
    ASSERT_TRUE(StartService());
    ASSERT_EQ(Run(kRecordingProgram, "-I"), DWORD{0});
    EXPECT_EQ(RecordedMessages(), "");
    ASSERT_TRUE(WaitUntil(IsRegistered, kScmLag));
    const std::optional<Registration> registration = ReadRegistration();
    ASSERT_TRUE(registration.has_value());
    EXPECT_EQ(registration->startType, DWORD{SERVICE_AUTO_START});
    EXPECT_EQ(registration->errorControl, DWORD{SERVICE_ERROR_IGNORE});
    EXPECT_EQ(registration->binaryPath, ExpectedBinaryPath());
    EXPECT_NE(folder.ReadFile(settings::kDefaultLogFileName).find(standin::kStoppedLine),
              std::string::npos);
}

TEST_F(TarnwardUnderWine, UninstallStopsTheRunningServiceAndRemovesIt) {
    ASSERT_EQ(folder.Register(), 0u);
    ASSERT_TRUE(StartService());
    ASSERT_EQ(Run(kShippedProgram, "-u"), DWORD{0});
    EXPECT_TRUE(WaitUntil([] { return !IsRegistered(); }, kScmLag));
    EXPECT_NE(folder.ReadFile(settings::kDefaultLogFileName).find(standin::kStoppedLine),
              std::string::npos);
}

TEST_F(TarnwardUnderWine, UninstallWithNothingRegisteredSucceedsSilently) {
    EXPECT_EQ(Run(kRecordingProgram, "-u"), DWORD{0});
    EXPECT_EQ(RecordedMessages(), "");
}

TEST_F(TarnwardUnderWine, WithoutSwitchShowsTheUserMessageAndExitsWithOne) {
    EXPECT_EQ(Run(kRecordingProgram, "/i"), DWORD{1});
    EXPECT_EQ(RecordedMessages(), "information|Proxy Service Install/Uninstall|This program should "
                                  "not be run directly by user\n");
    EXPECT_FALSE(IsRegistered());
}

TEST_F(TarnwardUnderWine, InstallFromAFolderTheCodePageCannotNameRegistersNothingQuietly) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the folder name is chosen for code page 1252; the ANSI code page is "
                     << GetACP();
    }
    const std::wstring inner = Widened(folder.Folder()) + L"\u0141\u00f3d\u017a\\";
    const std::wstring program = inner + L"tarnward_recording.exe";
    ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr));
    const bool copied =
        CopyFileW(Widened(folder.PathOf(kRecordingProgram)).c_str(), program.c_str(), TRUE);
    const std::optional<DWORD> exitCode =
        copied ? RunToEnd(program, L"-i -q") : std::optional<DWORD>{};
    DeleteFileW(program.c_str());
    RemoveDirectoryW(inner.c_str());
    ASSERT_TRUE(copied);
    EXPECT_EQ(exitCode, DWORD{ERROR_NO_UNICODE_TRANSLATION});
    EXPECT_EQ(RecordedMessages(), "");
    EXPECT_FALSE(IsRegistered());
}

} // namespace
