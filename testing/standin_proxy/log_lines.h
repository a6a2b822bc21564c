#pragma once

#include "config/rules.h"

#include <cstddef>
#include <string>
#include <string_view>

// The stand-in's log texts, one place for the service and the tests that look for
// them. Each line in the file is prefixed with the local time.
namespace standin {

inline constexpr char kStartingLine[] = "Stand-in proxy service starting";
inline constexpr char kStartedLine[] = "Stand-in proxy service started";
inline constexpr char kStoppedLine[] = "Stand-in proxy service stopped";
inline constexpr char kStopIgnoredLine[] = "Stop control ignored";
inline constexpr char kExitingLine[] = "Exiting during start-up, as the behaviour file asks";
inline constexpr char kBadBehaviourLine[] = "Behaviour file not understood; running normally";

// "Behaviour: slow-start 3".
std::string FormatBehaviourLine(std::string_view behaviour);
// "Loaded 2 rules from C:\Folder\Settings.ini".
std::string FormatRulesLoadedLine(std::size_t count, std::string_view settingsPath);
// "Rule 1 "Office": enabled, 10.0.0.1-10.0.0.9 -> vpn.example.com"; position from 1.
std::string FormatRuleLine(std::size_t position, const CRule& rule);
// "Running, line 7", the lines that the log-rate behaviour writes.
std::string FormatRunningLine(unsigned long long number);

} // namespace standin
