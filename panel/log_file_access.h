#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

// A handle kept open only to ask for the file's size and identity.
class ILogSizeHandle {
public:
    virtual ~ILogSizeHandle() = default;
    // Nothing when the query fails.
    virtual std::optional<LogFileState> Query() = 0;
};

// The file opened for reading raw bytes (no newline translation).
class ILogReader {
public:
    virtual ~ILogReader() = default;
    // Moves to an absolute byte offset; false on failure.
    virtual bool Seek(std::uint64_t offset) = 0;
    // Reads up to size bytes into buffer; the count read, 0 at the end or on failure.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class ILogFileSystem {
public:
    virtual ~ILogFileSystem() = default;
    // Opens the file for size queries only, creating it empty when missing;
    // nothing on failure.
    virtual std::unique_ptr<ILogSizeHandle> OpenForSizeQueries(const std::string& path) = 0;
    // The stamp of the file the path names now, asked by name without opening a
    // handle; nothing when no file is there or the query fails.
    virtual std::optional<LogFileStamp> StampAt(const std::string& path) = 0;
    // Opens an existing file for reading; nothing on failure.
    virtual std::unique_ptr<ILogReader> OpenForReading(const std::string& path) = 0;
};
