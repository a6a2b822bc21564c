#pragma once

#include <cstdint>
#include <string>

// A copy of a file, made beside it, that takes the file's place in one step only
// when committed; otherwise it is removed and the file keeps every byte. A save
// that stops halfway (full disk, crash) thus never leaves a half-written file.
// Errors are platform error codes, never 0 for a failure.
class StagedFile {
public:
    // Makes the copy: a new, uniquely named file in the same folder holding the
    // bytes of the file at path (none when there is no such file).
    explicit StagedFile(std::string path);
    // Removes the copy unless it was committed.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // 0 when the copy was made, otherwise the error that stopped it.
    std::uint32_t Error() const { return error_; }
    // Where the new content is written before Commit.
    const std::string& CopyPath() const { return copy_; }
    // Flushes the copy to disk and moves it over the file. Returns 0 or the error;
    // after a failure the file is as it was.
    std::uint32_t Commit();

private:
    std::string path_;
    std::string copy_; // empty when there is no copy to remove
    std::uint32_t error_ = 0;
};
