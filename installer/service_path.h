#pragma once

#include "installer/tarnward_platform.h"

#include <optional>
#include <string>

namespace tarnward {

// The executable path to register: this program's folder, lower-cased, followed by
// "Proxy.exe", the whole in double quotes so a folder with blanks cannot be misread.
// Nothing when the program's own path has no backslash (or cannot be read).
std::optional<std::string> BuildServicePath(ITarnwardPlatform& platform);

} // namespace tarnward
