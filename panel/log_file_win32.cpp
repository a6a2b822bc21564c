#include "panel/log_file_win32.h"

#include "config/ansi_text.h"

#include <windows.h>

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenLog(const std::string& path, DWORD access, DWORD disposition) {
    return ::CreateFileW(AnsiToWide(path).c_str(), access, kShareAll, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::uint64_t Join(const FILETIME& time) {
    return Join(time.dwHighDateTime, time.dwLowDateTime);
}

// Owns one open file handle.
class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() { ::CloseHandle(m_handle); }

protected:
    HANDLE m_handle;
};

class CSizeHandle : public ILogSizeHandle, private CFileHandle {
public:
    using CFileHandle::CFileHandle;

    std::optional<LogFileState> Query() override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(m_handle, &info)) {
            return std::nullopt;
        }
        return LogFileState{
            {Join(info.nFileSizeHigh, info.nFileSizeLow), Join(info.ftLastWriteTime)},
            {info.dwVolumeSerialNumber, Join(info.nFileIndexHigh, info.nFileIndexLow)}};
    }
};

class CReader : public ILogReader, private CFileHandle {
public:
    using CFileHandle::CFileHandle;

    bool Seek(std::uint64_t offset) override {
        LARGE_INTEGER position{};
        position.QuadPart = static_cast<LONGLONG>(offset);
        return ::SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) != FALSE;
    }

    std::size_t Read(char* buffer, std::size_t size) override {
        DWORD read = 0;
        if (!::ReadFile(m_handle, buffer, static_cast<DWORD>(size), &read, nullptr)) {
            return 0;
        }
        return read;
    }
};

} // namespace

std::unique_ptr<ILogSizeHandle> CWin32LogFileSystem::OpenForSizeQueries(const std::string& path) {
    const HANDLE handle = OpenLog(path, FILE_READ_ATTRIBUTES, OPEN_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<CSizeHandle>(handle);
}

std::optional<LogFileStamp> CWin32LogFileSystem::StampAt(const std::string& path) {
    // A file deleted while a handle is open stays behind as "delete pending" on
    // older Windows; asked by name it answers access denied, which counts as gone.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(AnsiToWide(path).c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    return LogFileStamp{Join(data.nFileSizeHigh, data.nFileSizeLow), Join(data.ftLastWriteTime)};
}

std::unique_ptr<ILogReader> CWin32LogFileSystem::OpenForReading(const std::string& path) {
    const HANDLE handle = OpenLog(path, GENERIC_READ, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<CReader>(handle);
}
