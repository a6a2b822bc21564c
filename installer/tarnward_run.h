#pragma once

#include "installer/tarnward_platform.h"

#include <cstdint>
#include <string_view>

namespace tarnward {

// The whole program: picks the operation from the full command line and answers the
// process's exit code.
std::uint32_t RunTarnward(ITarnwardPlatform& platform, std::string_view commandLine);

} // namespace tarnward
