#include "installer/tarnward_run.h"

#include "installer/command_line.h"
#include "installer/service_installer.h"

namespace tarnward {

std::uint32_t RunTarnward(ITarnwardPlatform& platform, std::string_view commandLine) {
    const std::string_view argumentText = ArgumentText(commandLine);
    // Deployment tools run Tarnward where nobody can press OK: a box would hang them.
    const bool quiet = IsQuiet(argumentText);
    CServiceInstaller installer(platform, quiet);
    switch (ChooseOperation(argumentText)) {
    case Operation::Uninstall:
        return installer.UninstallService();
    case Operation::Install:
        return installer.InstallService();
    case Operation::None:
        break;
    }
    if (!quiet) {
        platform.ShowMessage(kNotForUsers);
    }
    return kExitNoSwitch;
}

} // namespace tarnward
