#pragma once

#include "panel/message_box.h"

#include <string_view>

// Every text, caption and name the control panel shows or uses, in one place.
// Texts are the system's own and are kept exactly, typos included.
namespace texts {

// The single-instance lock, shared by the copies of the panel in one logon. The
// service's name is scm::kServiceName (service/service_values.h).
inline constexpr std::wstring_view kInstanceMutexName = L"Tarnlink32Mutex900";

// The product's web site and support address; the About box shows the mail link.
inline constexpr std::wstring_view kWebSiteUrl = L"http://www.tarnlink.example/";
inline constexpr std::wstring_view kSupportEmail = L"support@tarnlink.example";
inline constexpr std::wstring_view kMailtoPrefix = L"mailto:";
// A clicked link starting with kWwwPrefix is opened with kHttpPrefix before it.
inline constexpr std::wstring_view kWwwPrefix = L"www";
inline constexpr std::wstring_view kHttpPrefix = L"http://";

// Start-up.
inline constexpr std::wstring_view kStartupCaption = L"Tarnlink Control Panel";
inline constexpr PanelMessage kAnotherInstance{
    L"Another instance of Tarnlink Control Panel is already running!", kStartupCaption,
    MessageIcon::Information};
inline constexpr PanelMessage kNoAdminRights{
    L"You must have administrator privileges to configure Tarnlink!\n\nPlease right-click the "
    L"program and select \"Run as administrator\" command.",
    kStartupCaption, MessageIcon::Error};

// Main window.
inline constexpr std::wstring_view kMinimizeMenuText = L"Minimize";
inline constexpr PanelMessage kSaveBeforeExit{
    L"Settings were modified.\nDo you want to save it before exit?", L"Settings modified",
    MessageIcon::Question, MessageButtons::YesNoCancel};
inline constexpr PanelMessage kRestartAfterSave{
    L"You need to Restart server to changes to have effect.", L"", MessageIcon::Information};

// Proxy page: the start/stop button, the status line and the rule list.
inline constexpr std::wstring_view kStartButton = L"Start";
inline constexpr std::wstring_view kStopButton = L"Stop";
inline constexpr std::wstring_view kStartingButton = L"Starting...";
inline constexpr std::wstring_view kStoppingButton = L"Stopping...";
inline constexpr std::wstring_view kServerOnline = L"Server is Online";
inline constexpr std::wstring_view kServerOffline = L"Server is Offline";
inline constexpr std::wstring_view kColumnName = L"Name";
inline constexpr std::wstring_view kColumnSource = L"Source";
inline constexpr std::wstring_view kColumnDestination = L"Destination";
// A source range: the first address, and the last one after a dash when it differs.
inline constexpr std::wstring_view kAddressPattern = L"%d.%d.%d.%d";
inline constexpr std::wstring_view kRangeEndPattern = L"-%d.%d.%d.%d";
inline constexpr std::wstring_view kNewRuleName = L"New Rule";

inline constexpr std::wstring_view kStartRefusedCaption = L"Tarnlink";
inline constexpr PanelMessage kNoRuleToRun{L"To run the server please create at least one rule.",
                                           kStartRefusedCaption, MessageIcon::Warning};
inline constexpr PanelMessage kNoEnabledRuleToRun{
    L"To run the server please enable at least one rule.", kStartRefusedCaption,
    MessageIcon::Warning};
inline constexpr PanelMessage kOpenServiceFailed{L"Could not open Tarnlink Service, error = %d",
                                                 L"", MessageIcon::None};
inline constexpr PanelMessage kStartServiceFailed{L"Could not start Tarnlink Service, error = %d",
                                                  L"", MessageIcon::None};
inline constexpr PanelMessage kStopServiceFailed{L"Could not stop Tarnlink Service, error = %d",
                                                 L"", MessageIcon::None};
inline constexpr PanelMessage kStatusChangeTimedOut{
    L"Error: Server failed to change the status.\nPlease see log file for more info.", L"",
    MessageIcon::None};
inline constexpr PanelMessage kRemoveWithoutSelection{L"Please select the rule(s) first.",
                                                      L"Remove Rule", MessageIcon::Information};
inline constexpr PanelMessage kEditWithoutSelection{L"Please selecte the rule first", L"Rule Edit",
                                                    MessageIcon::Information};
// A write to "Settings.ini" that failed: the settings path and the platform code.
inline constexpr PanelMessage kSettingsSaveFailed{L"Could not save the settings to %s, error = %d",
                                                  L"", MessageIcon::Error};

// Rule editor.
inline constexpr std::wstring_view kEditRuleCaption = L"Edit Rule";
inline constexpr std::wstring_view kRuleCheckCaption = L"Rule";
inline constexpr PanelMessage kServerAddressMissing{L"Please specify a VPN Server address",
                                                    kRuleCheckCaption, MessageIcon::Information};
inline constexpr PanelMessage kAddressRangeInvalid{L"Please specify a correct IP address range",
                                                   kRuleCheckCaption, MessageIcon::Information};

// Log page.
inline constexpr std::wstring_view kTruncationMarker = L"<...truncated...>\n";
inline constexpr std::wstring_view kLogFileFilter =
    L"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr std::wstring_view kLogFileDefaultExtension = L"txt";
// A chosen log path that the ANSI code page, in which the settings keep it, cannot hold.
inline constexpr PanelMessage kLogPathNotInCodePage{
    L"Could not use %s as the log file: its path holds characters that the system's code page "
    L"cannot represent.",
    L"", MessageIcon::Error};
// A log path that names a device or a pipe, in the settings or chosen: nothing is opened.
inline constexpr PanelMessage kLogPathIsDevice{
    L"Could not use %s as the log file: it names a device or a pipe, not a file.", L"",
    MessageIcon::Error};
inline constexpr PanelMessage kLogFileChanged{
    L"You need to Stop and Start server to changes to have effect.", L"", MessageIcon::Information};

} // namespace texts
