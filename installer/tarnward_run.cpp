#include "installer/tarnward_run.h"

#include "installer/command_line.h"
#include "installer/service_installer.h"

namespace tarnward {

std::uint32_t RunTarnward(ITarnwardPlatform& platform, std::string_view commandLine) {
    CServiceInstaller installer(platform);
    switch (ChooseOperation(ArgumentText(commandLine))) {
    case Operation::Uninstall:
        return installer.UninstallService();
    case Operation::Install:
        return installer.InstallService();
    case Operation::None:
        break;
    }
    platform.ShowMessage(kNotForUsers);
    return kExitNoSwitch;
}

} // namespace tarnward
