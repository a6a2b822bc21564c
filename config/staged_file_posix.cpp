#include "config/staged_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// errno after a failed call; a failure must never read as success.
std::uint32_t LastError() {
    return static_cast<std::uint32_t>(errno != 0 ? errno : EIO);
}

std::uint32_t WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = write(fd, data, size);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return LastError();
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return 0;
}

// Copies the bytes of the file at path, if there is one, to the end of out.
std::uint32_t CopyBytes(const std::string& path, int out) {
    const int in = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return errno == ENOENT ? 0 : LastError();
    }
    std::uint32_t error = 0;
    char chunk[65536];
    while (error == 0) {
        const ssize_t got = read(in, chunk, sizeof chunk);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            error = errno == EINTR ? 0 : LastError();
            continue;
        }
        error = WriteAll(out, chunk, static_cast<std::size_t>(got));
    }
    close(in);
    return error;
}

} // namespace

CStagedFile::CStagedFile(std::string path) : m_path(std::move(path)) {
    std::string name = m_path + ".XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        m_error = LastError();
        return;
    }
    m_copy = std::move(name);
    m_error = CopyBytes(m_path, fd);
    if (close(fd) != 0 && m_error == 0) {
        m_error = LastError();
    }
}

CStagedFile::~CStagedFile() {
    if (!m_copy.empty()) {
        unlink(m_copy.c_str());
    }
}

std::uint32_t CStagedFile::Commit() {
    // Reopened: the profile layer may have put a new file in the copy's place.
    const int fd = open(m_copy.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    // The copy was made private; the file it replaces keeps its permissions.
    struct stat old {};
    std::uint32_t error = 0;
    if (stat(m_path.c_str(), &old) == 0 && fchmod(fd, old.st_mode & 07777) != 0) {
        error = LastError();
    }
    if (error == 0 && fsync(fd) != 0) {
        error = LastError();
    }
    if (close(fd) != 0 && error == 0) {
        error = LastError();
    }
    if (error == 0 && rename(m_copy.c_str(), m_path.c_str()) != 0) {
        error = LastError();
    }
    if (error == 0) {
        m_copy.clear();
    }
    return error;
}
