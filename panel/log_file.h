#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The log file as the Log page follows it. The service writes, and may truncate
// or replace, the file at any time from its own process: no handle opened here
// may stop it from doing so (share read, write and delete).

// Size (64 bits: logs grow past 4 GiB) and last write time of a file: what its
// name and a handle on it both tell while the name leads to that file.
struct LogFileStamp {
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;

    bool operator==(const LogFileStamp&) const = default;
};

// What tells one file from another: the volume's serial number and the file's
// index on it. A renamed file keeps both; a new file under the old name has others.
struct LogFileId {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;

    bool operator==(const LogFileId&) const = default;
};

struct LogFileState {
    LogFileStamp stamp;
    LogFileId id;
};

// The log file as the Log page reaches it: one handle kept open between ticks to
// ask for the file's size and identity, its stamp asked by name, and a handle open
// for the length of one refresh to read raw bytes (no newline translation).
class ILogFile {
public:
    virtual ~ILogFile() = default;

    // Opens the file at path for size queries only, creating it empty when missing,
    // in place of the handle kept so far (closed first); false on failure.
    virtual bool KeepOpen(const std::string& path) = 0;
    // Closes the handle kept, so that a deleted file it holds can go.
    virtual void CloseKept() = 0;
    // Size and identity of the file behind the handle kept; nothing when none is
    // kept or the query fails.
    virtual std::optional<LogFileState> QueryKept() = 0;
    // The stamp of the file the path names now, asked by name without opening a
    // handle; nothing when no file is there or the query fails.
    virtual std::optional<LogFileStamp> StampAt(const std::string& path) = 0;

    // Opens an existing file for reading until CloseReading; false on failure.
    virtual bool OpenForReading(const std::string& path) = 0;
    // Reads up to size bytes from an absolute offset into buffer; the count read, 0
    // at the end or on failure.
    virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) = 0;
    virtual void CloseReading() = 0;
};
