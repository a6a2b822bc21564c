#pragma once

// The files the setup places in the program folder besides the service's program
// (installer/tarnward_constants.h) and the settings (config/settings_names.h). The
// setup script reads these names from here.
namespace tarnsetup {

inline constexpr wchar_t kPanelExe[] = L"Tarnlink.exe";
inline constexpr wchar_t kTarnwardExe[] = L"Tarnward.exe";
inline constexpr wchar_t kUninstallerExe[] = L"Uninstall.exe";
// An upgrade keeps the earlier programs under this suffix until it has succeeded.
inline constexpr wchar_t kEarlierSuffix[] = L".earlier";

} // namespace tarnsetup
