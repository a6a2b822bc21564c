#pragma once

// Names and defaults of "Settings.ini", shared by every reader and writer of it.
namespace settings {

inline constexpr char kFileName[] = "Settings.ini";
inline constexpr char kMainSection[] = "Tarnlink";
inline constexpr char kRulesCountKey[] = "RulesCount";
inline constexpr char kLogFileNameKey[] = "LogFileName";
inline constexpr char kRuleSectionFormat[] = "Rule%i";

inline constexpr char kNameKey[] = "Name";
inline constexpr char kEnableKey[] = "Enable";
inline constexpr char kSrcFirstIpKey[] = "SrcFirstIp";
inline constexpr char kSrcLastIpKey[] = "SrcLastIp";
inline constexpr char kTargetAddressKey[] = "TargetAddress";

inline constexpr char kDefaultRuleName[] = "No name";
inline constexpr char kDefaultTargetAddress[] = "null";
inline constexpr char kDefaultLogFileName[] = "TarnlinkLog.txt";

// The service redirects the PPTP control port; every loaded rule carries it.
inline constexpr int kPptpPort = 1723;

} // namespace settings
