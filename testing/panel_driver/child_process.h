#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

// A program that a scenario starts; ended by force if it still runs when this
// object goes away, so that no scenario leaves a window behind for the next one.
class CChildProcess {
public:
    CChildProcess() = default;
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    ~CChildProcess();

    // Starts program (a full path) with arguments; 0 or the error code.
    DWORD Start(const std::string& program, const std::string& arguments = {});
    DWORD Id() const { return m_info.dwProcessId; }
    bool IsRunning() const;
    // The exit code once the process has ended within timeout, otherwise nothing.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;
    void Kill();

private:
    PROCESS_INFORMATION m_info{};
};

// Runs a program to its end; its exit code, or nothing when it cannot start or
// does not end within timeout (it is then ended by force).
std::optional<DWORD> RunToEnd(const std::string& program, const std::string& arguments,
                              std::chrono::milliseconds timeout);
