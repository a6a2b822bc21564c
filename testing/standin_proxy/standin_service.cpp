#include "testing/standin_proxy/standin_service.h"

#include "config/conf_file.h"
#include "config/program_folder.h"
#include "config/rules.h"
#include "config/settings_names.h"
#include "service/service_values.h"
#include "testing/standin_proxy/behaviour.h"
#include "testing/standin_proxy/log_lines.h"
#include "testing/standin_proxy/log_writer.h"

#include <windows.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace {

// Exit code of the exit-at-once behaviour, so it reads as a failure.
constexpr UINT kExitAtOnceCode = 3;
// How often the log-rate behaviour wakes to catch up with its rate.
constexpr DWORD kLogRateTickMs = 100;
// Wait hint sent with each start-pending and stop-pending report.
constexpr DWORD kPendingHintMs = 2000;

std::wstring ServiceNameW() {
    const std::string name = scm::kServiceName;
    return std::wstring(name.begin(), name.end());
}

// The behaviour file's text, or nothing when there is no such file.
std::optional<std::string> ReadBehaviourFile(const std::string& folder) {
    std::ifstream in(folder + standin::kBehaviourFileName, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CStandinService {
public:
    CStandinService() : m_name(ServiceNameW()) {}
    CStandinService(const CStandinService&) = delete;
    CStandinService& operator=(const CStandinService&) = delete;
    ~CStandinService() {
        if (m_stopEvent != nullptr) {
            CloseHandle(m_stopEvent);
        }
    }

    void Run();

private:
    static DWORD WINAPI HandleControl(DWORD control, DWORD eventType, void* eventData,
                                      void* context);
    DWORD OnControl(DWORD control);
    void Report(DWORD state, DWORD waitHintMs = 0);
    void LoadSettingsAndLog(bool behaviourUnderstood);
    void WaitForStop();

    std::wstring m_name;
    SERVICE_STATUS_HANDLE m_statusHandle = nullptr;
    SERVICE_STATUS m_status{};
    HANDLE m_stopEvent = nullptr;
    standin::Behaviour m_behaviour;
    std::unique_ptr<CLogWriter> m_log;
};

void CStandinService::Run() {
    m_statusHandle = RegisterServiceCtrlHandlerExW(m_name.c_str(), &HandleControl, this);
    if (m_statusHandle == nullptr) {
        return;
    }
    m_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Report(SERVICE_START_PENDING, kPendingHintMs);

    const std::optional<std::string> behaviourText = ReadBehaviourFile(GetProgramFolder());
    const std::optional<standin::Behaviour> behaviour =
        behaviourText ? standin::ParseBehaviour(*behaviourText) : standin::Behaviour{};
    m_behaviour = behaviour.value_or(standin::Behaviour{});
    LoadSettingsAndLog(behaviour.has_value());

    if (m_behaviour.mode == standin::Mode::SlowStart) {
        for (unsigned second = 0; second < m_behaviour.count; ++second) {
            Report(SERVICE_START_PENDING, kPendingHintMs);
            Sleep(1000);
        }
    }
    if (m_behaviour.mode == standin::Mode::ExitAtOnce) {
        m_log->Write(standin::kExitingLine);
        m_log.reset();
        ExitProcess(kExitAtOnceCode);
    }

    Report(SERVICE_RUNNING);
    m_log->Write(standin::kStartedLine);
    WaitForStop();

    Report(SERVICE_STOP_PENDING, kPendingHintMs);
    m_log->Write(standin::kStoppedLine);
    m_log.reset();
    Report(SERVICE_STOPPED);
}

void CStandinService::LoadSettingsAndLog(bool behaviourUnderstood) {
    const std::string settingsPath = GetSettingsPath();
    CRules rules;
    rules.Load(settingsPath);
    const CConfFile conf(settingsPath, settings::kMainSection);
    const std::string logPath = conf.ReadString(settings::kLogFileNameKey,
                                                GetProgramFolder() + settings::kDefaultLogFileName);
    m_log = std::make_unique<CLogWriter>(logPath);

    m_log->Write(standin::kStartingLine);
    if (!behaviourUnderstood) {
        m_log->Write(standin::kBadBehaviourLine);
    }
    m_log->Write(standin::FormatBehaviourLine(standin::FormatBehaviour(m_behaviour)));
    m_log->Write(standin::FormatRulesLoadedLine(rules.size(), settingsPath));
    for (std::size_t i = 0; i < rules.size(); ++i) {
        m_log->Write(standin::FormatRuleLine(i + 1, rules[i]));
    }
}

void CStandinService::WaitForStop() {
    if (m_behaviour.mode != standin::Mode::LogRate) {
        WaitForSingleObject(m_stopEvent, INFINITE);
        return;
    }
    // Lines due are counted from the start, so the rate holds however late the
    // timer wakes.
    const ULONGLONG start = GetTickCount64();
    unsigned long long written = 0;
    while (WaitForSingleObject(m_stopEvent, kLogRateTickMs) == WAIT_TIMEOUT) {
        const unsigned long long due = (GetTickCount64() - start) * m_behaviour.count / 1000;
        while (written < due) {
            m_log->Write(standin::FormatRunningLine(++written));
        }
    }
}

DWORD WINAPI CStandinService::HandleControl(DWORD control, DWORD /*eventType*/, void* /*eventData*/,
                                            void* context) {
    return static_cast<CStandinService*>(context)->OnControl(control);
}

DWORD CStandinService::OnControl(DWORD control) {
    switch (control) {
    case SERVICE_CONTROL_STOP:
        if (m_behaviour.mode == standin::Mode::IgnoreStop) {
            m_log->Write(standin::kStopIgnoredLine);
        } else {
            SetEvent(m_stopEvent);
        }
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void CStandinService::Report(DWORD state, DWORD waitHintMs) {
    m_status.dwCurrentState = state;
    m_status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    m_status.dwWin32ExitCode = NO_ERROR;
    m_status.dwWaitHint = waitHintMs;
    const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
    m_status.dwCheckPoint = pending ? m_status.dwCheckPoint + 1 : 0;
    SetServiceStatus(m_statusHandle, &m_status);
}

void WINAPI StandinServiceMain(DWORD /*argc*/, LPWSTR* /*argv*/) {
    CStandinService service;
    service.Run();
}

} // namespace

int RunStandinService() {
    std::wstring name = ServiceNameW();
    SERVICE_TABLE_ENTRYW table[] = {{name.data(), &StandinServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherW(table)) {
        return static_cast<int>(GetLastError());
    }
    return 0;
}
