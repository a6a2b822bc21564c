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

// Lower-cases A to Z and finds the last backslash, both in single-byte characters
// only: the trail byte of a double-byte character can be a capital or a backslash.
std::size_t LowerAndFindLastBackslash(std::string& path, ITarnwardPlatform& platform) {
    std::size_t lastBackslash = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (platform.IsLeadByte(path[i])) {
            ++i;
        } else if (path[i] == '\\') {
            lastBackslash = i;
        } else {
            path[i] = LowerAscii(path[i]);
        }
    }
    return lastBackslash;
}

} // namespace

ServicePath BuildServicePath(ITarnwardPlatform& platform) {
    const std::string ownPath = ReadOwnPath(platform);
    std::string path = ownPath;
    const std::size_t lastBackslash = LowerAndFindLastBackslash(path, platform);
    if (lastBackslash == std::string::npos) {
        return ServicePathError::NoOwnFolder;
    }
    // A look-alike folder may be anyone's: the service would run what it holds.
    if (!platform.NamesRunningProgram(ownPath.c_str())) {
        return ServicePathError::NotInCodePage;
    }
    path.resize(lastBackslash + 1);
    return '"' + path + kServiceFileName + '"';
}

} // namespace tarnward
