#include "inifile/ini_file_cache.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace inifile {

namespace {

// How often a write starts afresh when the file changed while it was being edited.
constexpr int kWriteAttempts = 3;
// The file changed between reading it and replacing it.
constexpr int kChangedMeanwhile = EAGAIN;

// errno after a failed call; a failure must never read as success.
int LastError() {
    return errno != 0 ? errno : EIO;
}

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool Earlier(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// The clock file times are taken from: a change made from now on gets a change
// time at or after it.
timespec CoarseNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return now;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           SameTime(a.st_mtim, b.st_mtim) && SameTime(a.st_ctim, b.st_ctim);
}

int ReadAll(int fd, std::string& text) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got == 0) {
            return 0;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        text.append(chunk, static_cast<std::size_t>(got));
    }
}

int WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

// The file a rename must replace: the target of a symbolic link, not the link.
std::string FileBehind(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// A name for the new text beside the file, so that the rename stays on its file system.
std::string TemporaryNameBeside(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "/." + name + ".XXXXXX";
}

// Gives the new file the old one's permissions and owner, or fails.
int TakeOver(int fd, const struct stat& old) {
    if (fchmod(fd, old.st_mode & 07777) != 0) {
        return LastError();
    }
    if ((old.st_uid != geteuid() || old.st_gid != getegid()) &&
        fchown(fd, old.st_uid, old.st_gid) != 0) {
        return LastError();
    }
    return 0;
}

} // namespace

bool CIniFileCache::Trusted(const std::string& path, const struct stat& status) const {
    return m_stamp && m_stamp->settled && m_path == path && SameFile(m_stamp->status, status);
}

void CIniFileCache::Remember(const std::string& path, const struct stat& status,
                             const timespec& before) {
    m_path = path;
    m_stamp = Stamp{status, Earlier(status.st_ctim, before)};
}

int CIniFileCache::Forget(int error) {
    m_stamp.reset();
    m_path.clear();
    m_text.clear();
    m_document = CIniDocument();
    return error;
}

int CIniFileCache::Refresh(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return Forget(LastError());
    }
    if (Trusted(path, status)) {
        return 0;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Forget(LastError());
    }
    const int error = Sync(fd, path, status);
    close(fd);
    return error;
}

// Brings the copy up to date with the file open at fd, and leaves its status in status.
int CIniFileCache::Sync(int fd, const std::string& path, struct stat& status) {
    const timespec before = CoarseNow();
    if (fstat(fd, &status) != 0) {
        return Forget(LastError());
    }
    if (Trusted(path, status)) {
        return 0;
    }
    std::string bytes;
    if (const int error = ReadAll(fd, bytes); error != 0) {
        return Forget(error);
    }
    // Bytes as held need no new parse: the common case right after a write of our own.
    if (m_path != path || bytes != m_text) {
        m_document = CIniDocument(bytes);
        m_text = std::move(bytes);
    }
    Remember(path, status, before);
    return 0;
}

std::optional<std::string> CIniFileCache::Read(const std::string& path, std::string_view section,
                                               std::string_view key) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (Refresh(path) != 0) {
        return std::nullopt;
    }
    const std::optional<std::string_view> value = m_document.Find(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

int CIniFileCache::Write(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    int error = kChangedMeanwhile;
    for (int attempt = 0; attempt < kWriteAttempts && error == kChangedMeanwhile; ++attempt) {
        error = WriteOnce(path, section, key, value);
    }
    return error;
}

int CIniFileCache::WriteOnce(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view value) {
    // Open for writing, so that a file that may not be written is refused as
    // kernel32 refuses it, and held open until the edit is in place: while it is,
    // its inode number cannot pass to another file, so identity compares mean
    // something.
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int error = Forget(LastError());
        // A missing file is created; one that exists but cannot be read is not overwritten.
        if (error != ENOENT) {
            return error;
        }
        m_document.Set(section, key, value);
        m_text = m_document.Text();
        return Create(path);
    }
    struct stat status {};
    int error = Sync(fd, path, status);
    if (error == 0) {
        const CIniDocument::Change change = m_document.Set(section, key, value);
        std::string inserted = m_document.Text(change.offset, change.inserted);
        // A save of unchanged rules finds every byte in place and writes nothing.
        const bool unchanged = m_text.compare(change.offset, change.removed, inserted) == 0;
        if (!unchanged && change.offset == m_text.size() && change.removed == 0) {
            error = Append(fd, path, status, std::move(inserted));
        } else if (!unchanged) {
            m_text.replace(change.offset, change.removed, inserted);
            error = Replace(path, status);
        }
    }
    close(fd);
    if (error != 0) {
        // The copy holds an edit the file lacks.
        Forget(error);
    }
    return error;
}

// New lines at the end, as a save that builds the file adds them, are written in
// place; a write that fails is cut off again, so the old file stays whole.
int CIniFileCache::Append(int fd, const std::string& path, const struct stat& old,
                          std::string bytes) {
    struct stat now {};
    if (stat(path.c_str(), &now) != 0 || !SameFile(now, old)) {
        return kChangedMeanwhile;
    }
    const off_t oldSize = old.st_size;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = pwrite(fd, bytes.data() + done, bytes.size() - done,
                                   oldSize + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            const int error = LastError();
            if (ftruncate(fd, oldSize) != 0) {
                return LastError();
            }
            return error;
        }
        done += static_cast<std::size_t>(put);
    }
    m_text += bytes;
    const timespec before = CoarseNow();
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        return LastError();
    }
    Remember(path, status, before);
    return 0;
}

int CIniFileCache::Create(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Forget(errno == EEXIST ? kChangedMeanwhile : LastError());
    }
    int error = WriteAll(fd, m_text);
    const timespec before = CoarseNow();
    struct stat status {};
    if (error == 0 && fstat(fd, &status) != 0) {
        error = LastError();
    }
    if (close(fd) != 0 && error == 0) {
        error = LastError();
    }
    if (error != 0) {
        // There was no file before, and there is none after.
        unlink(path.c_str());
        return Forget(error);
    }
    Remember(path, status, before);
    return 0;
}

// Writes m_text to a new file and renames it over the file at path, provided that
// is still the file whose status is old.
int CIniFileCache::Replace(const std::string& path, const struct stat& old) {
    const std::string target = FileBehind(path);
    std::string temporary = TemporaryNameBeside(target);
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    int error = WriteAll(fd, m_text);
    if (error == 0) {
        error = TakeOver(fd, old);
    }
    struct stat now {};
    if (error == 0 && (stat(target.c_str(), &now) != 0 || !SameFile(now, old))) {
        error = kChangedMeanwhile;
    }
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) {
        error = LastError();
    }
    if (error != 0) {
        unlink(temporary.c_str());
        close(fd);
        return error;
    }
    // After the rename, which changes the file's change time.
    const timespec before = CoarseNow();
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        error = LastError();
    }
    if (close(fd) != 0 && error == 0) {
        error = LastError();
    }
    if (error == 0) {
        Remember(path, status, before);
    }
    return error;
}

} // namespace inifile
