#include "config/program_folder.h"

#include "config/executable_path.h"
#include "config/settings_names.h"

namespace {

std::string FolderOf(std::string path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator != std::string::npos) {
        path.resize(separator + 1);
    }
    return path;
}

} // namespace

std::string GetProgramFolder() {
    static const std::string folder = FolderOf(ExecutablePath());
    return folder;
}

std::string GetSettingsPath() {
    return GetProgramFolder() + settings::kFileName;
}
