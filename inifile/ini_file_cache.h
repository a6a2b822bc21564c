#pragma once

#include "inifile/ini_document.h"

#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace inifile {

// Reads and edits INI files through a parsed copy of the file last used: loading a
// rule list reads the file five times per rule, and re-parsing it each time would
// make loading quadratic. The copy is trusted while the file keeps its identity,
// size and change times, and only once the clock has moved past its last change:
// file times are as coarse as the kernel's tick, so a file rewritten within the
// tick of its last change can look unchanged, and then its bytes are compared.
// Errors are errno values, never 0 for a failure.
class CIniFileCache {
public:
    // The value as kernel32 reads it, or nothing when the file (or what it
    // names) is missing or cannot be read.
    std::optional<std::string> Read(const std::string& path, std::string_view section,
                                    std::string_view key);

    // Sets the value and writes the change at once. The edit is made on the bytes
    // of the file as it is now; lines added at its end are appended, any other
    // change is written to a new file renamed over the old one, so a write that
    // fails leaves the old file whole. Returns 0 or the error.
    int Write(const std::string& path, std::string_view section, std::string_view key,
              std::string_view value);

private:
    // The file's identity, size and change times when the copy was made.
    struct Stamp {
        struct stat status {};
        // False while the file could still change within the tick of its last
        // change without the status telling.
        bool settled = false;
    };

    bool Trusted(const std::string& path, const struct stat& status) const;
    int Refresh(const std::string& path);
    int Sync(int fd, const std::string& path, struct stat& status);
    int WriteOnce(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view value);
    int Create(const std::string& path);
    int Append(int fd, const std::string& path, const struct stat& old, std::string bytes);
    int Replace(const std::string& path, const struct stat& old);
    void Remember(const std::string& path, const struct stat& status, const timespec& before);
    // Drops the copy after a failure with error, and returns error.
    int Forget(int error);

    std::mutex m_mutex;
    std::string m_path;
    std::optional<Stamp> m_stamp; // empty: no copy of any file is held
    std::string m_text;           // the bytes m_document was parsed from, with its edits
    CIniDocument m_document;
};

} // namespace inifile
