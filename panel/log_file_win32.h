#pragma once

#include "panel/log_file.h"

#include <windows.h>

// The log file through Win32 handles that share read, write and delete, so that
// the service may write, truncate or replace it while the page follows it.
class CWin32LogFile final : public ILogFile {
public:
    CWin32LogFile() = default;
    CWin32LogFile(const CWin32LogFile&) = delete;
    CWin32LogFile& operator=(const CWin32LogFile&) = delete;
    ~CWin32LogFile() override;

    bool KeepOpen(const std::string& path) override;
    void CloseKept() override;
    std::optional<LogFileState> QueryKept() override;
    std::optional<LogFileStamp> StampAt(const std::string& path) override;
    bool OpenForReading(const std::string& path) override;
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) override;
    void CloseReading() override;

private:
    HANDLE m_kept = INVALID_HANDLE_VALUE;
    HANDLE m_reading = INVALID_HANDLE_VALUE;
};
