#include "testing/standin_proxy/log_writer.h"

#include <cstdio>

CLogWriter::CLogWriter(const std::string& path)
    // Append-only access makes every write land at the current end of the file.
    : m_hFile(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

CLogWriter::~CLogWriter() {
    if (m_hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(m_hFile);
    }
}

void CLogWriter::Write(std::string_view text) {
    if (m_hFile == INVALID_HANDLE_VALUE) {
        return;
    }
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u ", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    std::string line = stamp;
    line += text;
    line += "\r\n";

    const std::lock_guard lock(m_mutex);
    DWORD written = 0;
    WriteFile(m_hFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
