#include "inifile/ini_file_cache.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace inifile {

namespace {

// errno after a failed call; a failure must never read as success.
int LastError() {
    return errno != 0 ? errno : EIO;
}

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
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

int WriteAllAt(int fd, const std::string& text, std::size_t offset) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put =
            pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(offset + done));
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

// Claims the disk space a longer file needs before any byte is overwritten, so
// that a full disk fails the write cleanly instead of leaving half an edit.
int Reserve(int fd, std::size_t size) {
    if (fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0 ||
        errno == EOPNOTSUPP || errno == ENOSYS) {
        return 0;
    }
    return LastError();
}

} // namespace

int IniFileCache::Refresh(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        const int error = LastError();
        Forget();
        return error;
    }
    if (stamp_ && path_ == path && stamp_->device == status.st_dev &&
        stamp_->inode == status.st_ino && stamp_->size == status.st_size &&
        SameTime(stamp_->modified, status.st_mtim) && SameTime(stamp_->changed, status.st_ctim)) {
        return 0;
    }
    Forget();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    std::string text;
    int error = fstat(fd, &status) == 0 ? ReadAll(fd, text) : LastError();
    close(fd);
    if (error != 0) {
        return error;
    }
    document_ = IniDocument(text);
    path_ = path;
    stamp_ = Stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
    return 0;
}

void IniFileCache::Forget() {
    stamp_.reset();
    path_.clear();
    document_ = IniDocument();
}

std::optional<std::string> IniFileCache::Read(const std::string& path, std::string_view section,
                                              std::string_view key) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (Refresh(path) != 0) {
        return std::nullopt;
    }
    const std::optional<std::string_view> value = document_.Find(section, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

int IniFileCache::Write(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const int error = Refresh(path);
    // A missing file is created; one that exists but cannot be read is not overwritten.
    if (error != 0 && error != ENOENT) {
        return error;
    }
    const std::size_t oldSize = document_.Size();
    const int stored = Store(path, document_.Set(section, key, value), oldSize);
    if (stored != 0) {
        // The copy holds an edit the file may lack.
        Forget();
    }
    return stored;
}

int IniFileCache::Store(const std::string& path, const IniDocument::Change& change,
                        std::size_t oldSize) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return LastError();
    }
    // The file holds the copy's old text, so only the changed bytes are written, and
    // when the length changed, everything after them as well.
    const std::size_t newSize = document_.Size();
    const std::size_t length =
        change.inserted == change.removed ? change.inserted : std::string::npos;
    int error = newSize > oldSize ? Reserve(fd, newSize) : 0;
    if (error == 0) {
        error = WriteAllAt(fd, document_.Text(change.offset, length), change.offset);
    }
    if (error == 0 && newSize < oldSize && ftruncate(fd, static_cast<off_t>(newSize)) != 0) {
        error = LastError();
    }
    struct stat status {};
    if (error == 0 && fstat(fd, &status) != 0) {
        error = LastError();
    }
    if (close(fd) != 0 && error == 0) {
        error = LastError();
    }
    if (error == 0) {
        path_ = path;
        stamp_ =
            Stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
    }
    return error;
}

} // namespace inifile
