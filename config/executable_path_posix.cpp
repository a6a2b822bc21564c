#include "config/executable_path.h"

#include <unistd.h>

namespace {

constexpr std::size_t kLongestPath = 65536;

} // namespace

std::string ExecutablePath() {
    // readlink does not say whether it cut the text: a full buffer means grow and retry.
    for (std::size_t size = 500; size <= kLongestPath; size *= 2) {
        std::string path(size, '\0');
        const ssize_t length = readlink("/proc/self/exe", path.data(), size);
        if (length <= 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < size) {
            path.resize(static_cast<std::size_t>(length));
            return path;
        }
    }
    return {};
}
