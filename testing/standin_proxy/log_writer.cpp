#include "testing/standin_proxy/log_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

bool ReadAt(HANDLE file, LONGLONG offset, char* buffer, DWORD size, DWORD& read) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return ReadFile(file, buffer, size, &read, &at) != FALSE;
}

bool WriteAt(HANDLE file, LONGLONG offset, const std::string& text) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    return WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, &at) != FALSE;
}

// Where the run of zeros that ends at `end` begins; `end` when there is none. Lines
// hold no NUL, so such a run is a gap left by a truncation.
LONGLONG StartOfZerosBefore(HANDLE file, LONGLONG end) {
    std::array<char, 4096> chunk{};
    while (end > 0) {
        const LONGLONG from = std::max<LONGLONG>(0, end - static_cast<LONGLONG>(chunk.size()));
        DWORD read = 0;
        if (!ReadAt(file, from, chunk.data(), static_cast<DWORD>(end - from), read) ||
            read != end - from) {
            return end; // cut again below `end`: nothing of ours is stranded
        }
        for (DWORD i = read; i > 0; --i) {
            if (chunk[i - 1] != '\0') {
                return from + i;
            }
        }
        end = from;
    }
    return 0;
}

} // namespace

CLogWriter::CLogWriter(const std::string& path)
    : m_hFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
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

    // Appending is "take the size, write there", here as in Wine's own append-only
    // writes: a truncation in between strands the line past the new end, behind
    // zeros. Then the line moves down to where the zeros begin.
    const std::lock_guard lock(m_mutex);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_hFile, &size)) {
        return;
    }
    LONGLONG end = size.QuadPart;
    for (int attempt = 0; attempt < 3 && WriteAt(m_hFile, end, line); ++attempt) {
        const LONGLONG gap = StartOfZerosBefore(m_hFile, end);
        if (gap == end) {
            return;
        }
        FILE_END_OF_FILE_INFO cut{};
        cut.EndOfFile.QuadPart = gap;
        SetFileInformationByHandle(m_hFile, FileEndOfFileInfo, &cut, sizeof cut);
        end = gap;
    }
}
