#include "config/staged_file.h"

#include "config/settings_names.h"

#include <windows.h>

#include <utility>

namespace {

constexpr DWORD kChunkSize = 65536;

// GetLastError after a failed call; a failure must never read as success.
std::uint32_t LastError() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

std::string FolderOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? "." : path.substr(0, separator + 1);
}

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle() {
        if (IsOpen()) {
            CloseHandle(m_handle);
        }
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Copies the bytes of the file at path, if there is one, into the empty file at copy.
// Only the bytes: the copy must stay a plain writable file whatever the file's attributes.
std::uint32_t CopyBytes(const std::string& path, const std::string& copy) {
    // Nobody may write the file while it is read, or the copy would hold half an edit.
    const CFileHandle in(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.IsOpen()) {
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : LastError();
    }
    const CFileHandle out(CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.IsOpen()) {
        return LastError();
    }
    std::string chunk(kChunkSize, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in.Get(), chunk.data(), kChunkSize, &got, nullptr)) {
            return LastError();
        }
        if (got == 0) {
            return 0;
        }
        DWORD put = 0;
        if (!WriteFile(out.Get(), chunk.data(), got, &put, nullptr) || put != got) {
            return LastError();
        }
    }
}

} // namespace

CStagedFile::CStagedFile(std::string path) : m_path(std::move(path)) {
    char name[MAX_PATH];
    // Creates the file itself under a name not in use, so nothing placed there before is reused.
    if (GetTempFileNameA(FolderOf(m_path).c_str(), settings::kStagedCopyPrefix, 0, name) == 0) {
        m_error = LastError();
        return;
    }
    m_copy = name;
    m_error = CopyBytes(m_path, m_copy);
}

CStagedFile::~CStagedFile() {
    if (!m_copy.empty()) {
        DeleteFileA(m_copy.c_str());
    }
}

std::uint32_t CStagedFile::Commit() {
    {
        const CFileHandle copy(CreateFileA(m_copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!copy.IsOpen() || !FlushFileBuffers(copy.Get())) {
            return LastError();
        }
    }
    if (!MoveFileExA(m_copy.c_str(), m_path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return LastError();
    }
    m_copy.clear();
    return 0;
}
