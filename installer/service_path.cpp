#include "installer/service_path.h"

#include "installer/ascii_case.h"

namespace tarnward {
namespace {

// The full path of the running program, never cut short: the buffer grows until the
// answer fits. Empty when the platform fails or no buffer within the limit is enough.
std::string ReadOwnPath(ITarnwardPlatform& platform) {
    for (std::uint32_t size = kOwnPathFirstSize; size <= kOwnPathSizeLimit; size *= 2) {
        std::string buffer(size, '\0');
        const std::uint32_t length = platform.ModuleFileName(buffer.data(), size);
        // A result equal to the size means the path was cut (and perhaps not terminated).
        if (length < size) {
            const std::size_t end = buffer.find('\0');
            if (end != std::string::npos) {
                buffer.resize(end);
            }
            return buffer;
        }
    }
    return {};
}

} // namespace

std::optional<std::string> BuildServicePath(ITarnwardPlatform& platform) {
    std::string path = ReadOwnPath(platform);
    LowerAscii(path);
    const std::size_t lastBackslash = path.rfind('\\');
    if (lastBackslash == std::string::npos) {
        return std::nullopt;
    }
    path.resize(lastBackslash + 1);
    return '"' + path + kServiceFileName + '"';
}

} // namespace tarnward
