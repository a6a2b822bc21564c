#pragma once

#include <cstdint>
#include <string>

// A copy of a file, made beside it, that takes the file's place in one step only
// when committed; otherwise it is removed and the file keeps every byte. A save
// that stops halfway (full disk, crash) thus never leaves a half-written file.
// Errors are platform error codes, never 0 for a failure.
class CStagedFile {
public:
    // Makes the copy: a new, uniquely named file in the same folder holding the
    // bytes of the file at path (none when there is no such file).
    explicit CStagedFile(std::string path);
    // Removes the copy unless it was committed.
    ~CStagedFile();
    CStagedFile(const CStagedFile&) = delete;
    CStagedFile& operator=(const CStagedFile&) = delete;

    // 0 when the copy was made, otherwise the error that stopped it.
    std::uint32_t Error() const { return m_error; }
    // Where the new content is written before Commit.
    const std::string& CopyPath() const { return m_copy; }
    // Flushes the copy to disk and moves it over the file. Returns 0 or the error;
    // after a failure the file is as it was.
    std::uint32_t Commit();

private:
    std::string m_path;
    std::string m_copy; // empty when there is no copy to remove
    std::uint32_t m_error = 0;
};
