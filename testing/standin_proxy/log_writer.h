#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <string_view>

// The stand-in's log: 8-bit lines appended to one file that stays open while the
// service runs. Other processes may read, truncate or delete it meanwhile, and a
// truncated file is continued at its new end. Lines may come from the service
// thread and the control handler alike.
class CLogWriter {
public:
    explicit CLogWriter(const std::string& path);
    CLogWriter(const CLogWriter&) = delete;
    CLogWriter& operator=(const CLogWriter&) = delete;
    ~CLogWriter();

    // Appends the local time, the text and CRLF; does nothing when the file could
    // not be opened.
    void Write(std::string_view text);

private:
    HANDLE m_hFile;
    std::mutex m_mutex;
};
