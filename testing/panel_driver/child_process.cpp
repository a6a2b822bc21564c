#include "testing/panel_driver/child_process.h"

CChildProcess::~CChildProcess() {
    Kill();
}

DWORD CChildProcess::Start(const std::string& program, const std::string& arguments) {
    Kill();
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &m_info)) {
        m_info = {};
        return GetLastError();
    }
    CloseHandle(m_info.hThread);
    m_info.hThread = nullptr;
    return 0;
}

bool CChildProcess::IsRunning() const {
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> CChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
    if (m_info.hProcess == nullptr ||
        WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) !=
            WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void CChildProcess::Kill() {
    if (m_info.hProcess == nullptr) {
        return;
    }
    if (IsRunning()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
    m_info = {};
}

std::optional<DWORD> RunToEnd(const std::string& program, const std::string& arguments,
                              std::chrono::milliseconds timeout) {
    CChildProcess child;
    if (child.Start(program, arguments) != 0) {
        return std::nullopt;
    }
    return child.WaitForExit(timeout);
}
