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
// A save writes a copy beside the file, "trn<hex>.tmp", that takes the file's place;
// one a crash left behind may be deleted.
inline constexpr char kStagedCopyPrefix[] = "trn";

// The service redirects the PPTP control port; every loaded rule carries it.
inline constexpr int kPptpPort = 1723;

// Loading stops after this many rules. Rules are entered one by one in a dialog,
// so real lists hold tens; a damaged or hostile RulesCount (up to 2147483647)
// would otherwise cost five file reads and one rule in memory per count, also for
// sections that do not exist, and hang the start-up.
inline constexpr int kMaxRulesCount = 1000;

} // namespace settings
