#pragma once

#include "inifile/ini_document.h"

#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace inifile {

// Reads and edits INI files through a parsed copy of the file last used, trusted
// while the file keeps its identity, size and change times: loading a rule list
// reads the file five times per rule, and re-parsing it each time would make
// loading quadratic. Errors are errno values, never 0 for a failure.
class IniFileCache {
public:
    // The value as kernel32 reads it, or nothing when the file (or what it
    // names) is missing or cannot be read.
    std::optional<std::string> Read(const std::string& path, std::string_view section,
                                    std::string_view key);

    // Sets the value and writes the change at once. Returns 0 or the error.
    int Write(const std::string& path, std::string_view section, std::string_view key,
              std::string_view value);

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
    };

    int Refresh(const std::string& path);
    int Store(const std::string& path, const IniDocument::Change& change, std::size_t oldSize);
    void Forget();

    std::mutex mutex_;
    std::string path_;
    std::optional<Stamp> stamp_; // empty: no copy of any file is held
    IniDocument document_;
};

} // namespace inifile
