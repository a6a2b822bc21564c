#include "panel/log_file_win32.h"

#include "config/ansi_text.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Should the path lead to a pipe after all, its server may only identify this
// administrator, never act as one.
constexpr DWORD kOpenFlags =
    FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION;

void CloseLog(HANDLE& handle) {
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
}

// Opens the file at path in place of the handle open so far, closed first; true when
// it opened a file on a disk.
bool OpenLog(HANDLE& handle, const std::string& path, DWORD access, DWORD disposition) {
    CloseLog(handle);
    handle = ::CreateFileW(AnsiToWide(path).c_str(), access, kShareAll, nullptr, disposition,
                           kOpenFlags, nullptr);
    // A link may lead to a device or a pipe that the path does not show: not a log.
    if (handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_DISK) {
        CloseLog(handle);
    }
    return handle != INVALID_HANDLE_VALUE;
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::uint64_t Join(const FILETIME& time) {
    return Join(time.dwHighDateTime, time.dwLowDateTime);
}

} // namespace

CWin32LogFile::~CWin32LogFile() {
    CloseLog(m_kept);
    CloseLog(m_reading);
}

bool CWin32LogFile::KeepOpen(const std::string& path) {
    return OpenLog(m_kept, path, FILE_READ_ATTRIBUTES, OPEN_ALWAYS);
}

void CWin32LogFile::CloseKept() {
    CloseLog(m_kept);
}

std::optional<LogFileState> CWin32LogFile::QueryKept() {
    BY_HANDLE_FILE_INFORMATION info{};
    if (m_kept == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(m_kept, &info)) {
        return std::nullopt;
    }
    return LogFileState{{Join(info.nFileSizeHigh, info.nFileSizeLow), Join(info.ftLastWriteTime)},
                        {info.dwVolumeSerialNumber, Join(info.nFileIndexHigh, info.nFileIndexLow)}};
}

std::optional<LogFileStamp> CWin32LogFile::StampAt(const std::string& path) {
    // A file deleted while a handle is open stays behind as "delete pending" on
    // older Windows; asked by name it answers access denied, which counts as gone.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(AnsiToWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return LogFileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow), Join(data.ftLastWriteTime)};
}

bool CWin32LogFile::OpenForReading(const std::string& path) {
    return OpenLog(m_reading, path, GENERIC_READ, OPEN_EXISTING);
}

std::size_t CWin32LogFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD read = 0;
    if (!::SetFilePointerEx(m_reading, position, nullptr, FILE_BEGIN) ||
        !::ReadFile(m_reading, buffer, static_cast<DWORD>(size), &read, nullptr)) {
        return 0;
    }
    return read;
}

void CWin32LogFile::CloseReading() {
    CloseLog(m_reading);
}
