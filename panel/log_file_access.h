#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The log file as the Log page follows it. The service writes, and may truncate
// or replace, the file at any time from its own process: no handle opened here
// may stop it from doing so (share read, write and delete).

// A handle kept open only to ask for the file's size.
class ILogSizeHandle {
public:
    virtual ~ILogSizeHandle() = default;
    // The current size in bytes (64 bits: logs grow past 4 GiB), or nothing when
    // the query fails.
    virtual std::optional<std::uint64_t> Size() = 0;
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
    // Opens an existing file for reading; nothing on failure.
    virtual std::unique_ptr<ILogReader> OpenForReading(const std::string& path) = 0;
};
