#pragma once

#include <array>
#include <cstdint>

// Everything Tarnward says and registers, in one place. The Windows values are
// repeated here so the logic builds without windows.h; the Win32 layer checks
// each of them against the system headers at compile time.
namespace tarnward {

// Windows values the logic compares against or passes on.
inline constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;
inline constexpr std::uint32_t kErrorServiceMarkedForDelete = 1072;
inline constexpr std::uint32_t kErrorServiceExists = 1073;
inline constexpr std::uint32_t kErrorNoUnicodeTranslation = 1113;
inline constexpr std::uint32_t kServiceStopped = 1;
inline constexpr std::uint32_t kScmConnectAccess = 0x0001; // SC_MANAGER_CONNECT
inline constexpr std::uint32_t kScmCreateAccess = 0x0002;  // SC_MANAGER_CREATE_SERVICE
// DELETE | SERVICE_STOP | SERVICE_QUERY_STATUS
inline constexpr std::uint32_t kUninstallAccess = 0x00010024;
inline constexpr std::uint32_t kNewServiceAccess = 0x000F01FF; // SERVICE_ALL_ACCESS
inline constexpr std::uint32_t kOwnProcessService = 0x10;      // SERVICE_WIN32_OWN_PROCESS
inline constexpr std::uint32_t kAutoStart = 2;                 // SERVICE_AUTO_START
inline constexpr std::uint32_t kErrorControlIgnore = 0;        // SERVICE_ERROR_IGNORE
inline constexpr std::uint32_t kActionNone = 0;                // SC_ACTION_NONE
inline constexpr std::uint32_t kActionRestart = 1;             // SC_ACTION_RESTART

// Exit codes of Tarnward's own; every other failure exits with the Windows error code.
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kExitNoSwitch = 1;
inline constexpr std::uint32_t kExitNoOwnFolder = 1;

// Command-line switches, looked for in this order.
inline constexpr const char* kUninstallSwitch = "-u";
inline constexpr const char* kInstallSwitch = "-i";
// Anywhere, beside either or alone: no message box at all, only the exit code.
inline constexpr const char* kQuietSwitch = "-q";

// The registration.
inline constexpr const char* kServiceName = "TarnlinkServer";
inline constexpr const char* kDisplayName = kServiceName;
inline constexpr const char* kDescription = "Tarnlink Server";
inline constexpr const char* kServiceFileName = "Proxy.exe";

struct FailureAction {
    std::uint32_t type;
    std::uint32_t delayMs;
};

struct FailureActions {
    std::uint32_t resetPeriodSeconds;
    const char* rebootMessage; // null: none
    const char* command;       // null: none
    std::array<FailureAction, 3> actions;
};

// Restart a quarter of an hour after the first and second failure; the count resets daily.
inline constexpr FailureActions kFailureActions{
    86400,
    nullptr,
    nullptr,
    {{{kActionRestart, 900000}, {kActionRestart, 900000}, {kActionNone, 900000}}}};

// Stopping before removal: sleep 1 s, 2 s, ... 5 s between status queries.
inline constexpr std::uint32_t kStopWaitRounds = 5;
inline constexpr std::uint32_t kStopWaitStepMs = 1000;

// Buffer for the program's own path: starts at MAX_PATH and doubles while the path does
// not fit. A Windows path of 32,767 UTF-16 units takes at most 64 KiB as 8-bit text, so
// a buffer of 128 KiB is never needed; the limit only ends a platform that never fits.
inline constexpr std::uint32_t kOwnPathFirstSize = 260;
inline constexpr std::uint32_t kOwnPathSizeLimit = 0x20000;
// The UTF-16 buffer that holds any Windows path, for comparing the 8-bit one with it.
inline constexpr std::uint32_t kWideOwnPathSize = 32768;

// Message boxes: OK button only, no owner window.
enum class MessageIcon : std::uint32_t {
    Error = 0x10,       // MB_ICONERROR
    Information = 0x40, // MB_ICONINFORMATION
};

struct MessageText {
    const char* caption;
    const char* text;
    MessageIcon icon;
};

inline constexpr const char* kUninstallCaption = "Uninstall Service";
inline constexpr const char* kInstallCaption = "Install Service";

inline constexpr MessageText kUninstallNoScm{
    kUninstallCaption, "Unable to open Service Control Manager. Please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kUninstallCannotOpen{
    kUninstallCaption,
    "Unable to open the old instance of Proxy Server.\n"
    "Please try to uninstall the old version first. If the problem will persist - please "
    "contact support.",
    MessageIcon::Error};
inline constexpr MessageText kUninstallCannotRemove{
    kUninstallCaption,
    "Unable to remove the old instance of Proxy Server.\n"
    "Please try to uninstall the old version first. If the problem will persist - please "
    "contact support.",
    MessageIcon::Error};
inline constexpr MessageText kInstallNoScm{
    kInstallCaption, "Unable to open Service Control Manager. Please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kInstallNoPath{
    kInstallCaption, "Unable to get Service path. Please contact support.", MessageIcon::Error};
inline constexpr MessageText kInstallFolderNotInCodePage{
    kInstallCaption,
    "The name of this program's folder holds characters that the system's code page cannot "
    "represent, so the service cannot be registered from it.\n"
    "Install Tarnlink into a folder whose name uses only such characters.",
    MessageIcon::Error};
inline constexpr MessageText kInstallCannotRegister{
    "Error",
    "Unable to register Windows Service.\n"
    "Please uninstall any existen version of the software, reboot the computer and try to "
    "install the software again. If the problem will persist - please contact support.",
    MessageIcon::Error};
inline constexpr MessageText kNotForUsers{"Proxy Service Install/Uninstall",
                                          "This program should not be run directly by user",
                                          MessageIcon::Information};

} // namespace tarnward
