#include "config/staged_file.h"

#include <windows.h>

#include <utility>

namespace {

// Names the copy <prefix><hex>.tmp; the prefix says whose leftover it is.
constexpr char kCopyPrefix[] = "trn";
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

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (IsOpen()) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// Copies the bytes of the file at path, if there is one, into the empty file at copy.
// Only the bytes: the copy must stay a plain writable file whatever the file's attributes.
std::uint32_t CopyBytes(const std::string& path, const std::string& copy) {
    // Nobody may write the file while it is read, or the copy would hold half an edit.
    const Handle in(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.IsOpen()) {
        return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : LastError();
    }
    const Handle out(CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
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

StagedFile::StagedFile(std::string path) : path_(std::move(path)) {
    char name[MAX_PATH];
    // Creates the file itself under a name not in use, so nothing placed there before is reused.
    if (GetTempFileNameA(FolderOf(path_).c_str(), kCopyPrefix, 0, name) == 0) {
        error_ = LastError();
        return;
    }
    copy_ = name;
    error_ = CopyBytes(path_, copy_);
}

StagedFile::~StagedFile() {
    if (!copy_.empty()) {
        DeleteFileA(copy_.c_str());
    }
}

std::uint32_t StagedFile::Commit() {
    {
        const Handle copy(CreateFileA(copy_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!copy.IsOpen() || !FlushFileBuffers(copy.Get())) {
            return LastError();
        }
    }
    if (!MoveFileExA(copy_.c_str(), path_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return LastError();
    }
    copy_.clear();
    return 0;
}
