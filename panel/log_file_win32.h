#pragma once

#include "panel/log_file_access.h"

// The log file through Win32 handles that share read, write and delete, so that
// the service may write, truncate or replace it while the page follows it.
class CWin32LogFileSystem : public ILogFileSystem {
public:
    std::unique_ptr<ILogSizeHandle> OpenForSizeQueries(const std::string& path) override;
    std::optional<LogFileStamp> StampAt(const std::string& path) override;
    std::unique_ptr<ILogReader> OpenForReading(const std::string& path) override;
};
