#pragma once

#include <optional>
#include <string>
#include <string_view>

// How the stand-in proxy service behaves. The service gets no start arguments, so
// a test chooses by writing one line into kBehaviourFileName beside Proxy.exe
// before it starts the service: a keyword, and for some a count after a blank.
// No file, or an empty one, means normal.
namespace standin {

inline constexpr char kBehaviourFileName[] = "StandinBehaviour.txt";

// Starts at once and stops when told.
inline constexpr char kNormalKeyword[] = "normal";
// "slow-start N": reports start pending for N seconds before running.
inline constexpr char kSlowStartKeyword[] = "slow-start";
// The process ends during start-up, without ever reporting running.
inline constexpr char kExitAtOnceKeyword[] = "exit-at-once";
// Accepts the stop control but keeps running.
inline constexpr char kIgnoreStopKeyword[] = "ignore-stop";
// "log-rate N": while running, writes N lines per second to its log.
inline constexpr char kLogRateKeyword[] = "log-rate";

inline constexpr unsigned kMaxSlowStartSeconds = 600;
inline constexpr unsigned kMaxLinesPerSecond = 1000;

enum class Mode { Normal, SlowStart, ExitAtOnce, IgnoreStop, LogRate };

struct Behaviour {
    Mode mode = Mode::Normal;
    // Seconds of slow start, or lines per second; 0 for the other modes.
    unsigned count = 0;

    friend bool operator==(const Behaviour&, const Behaviour&) = default;
};

// The behaviour the text names, or nothing when it names none. Keywords ignore
// letter case; blanks and line breaks around the line are ignored.
std::optional<Behaviour> ParseBehaviour(std::string_view text);

// The line that ParseBehaviour reads back as the same behaviour.
std::string FormatBehaviour(const Behaviour& behaviour);

} // namespace standin
