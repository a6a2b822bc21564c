#pragma once

#include "installer/tarnward_platform.h"

#include <string>
#include <variant>

namespace tarnward {

// Why no executable path can be registered.
enum class ServicePathError {
    // The program's own path cannot be read or has no backslash.
    NoOwnFolder,
    // The 8-bit own path names another file than the running program: the ANSI code
    // page cannot hold some of its characters.
    NotInCodePage,
};

using ServicePath = std::variant<std::string, ServicePathError>;

// The executable path to register: this program's folder, lower-cased, followed by
// "Proxy.exe", the whole in double quotes so a folder with blanks cannot be misread.
ServicePath BuildServicePath(ITarnwardPlatform& platform);

} // namespace tarnward
