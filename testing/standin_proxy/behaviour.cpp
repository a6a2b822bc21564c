#include "testing/standin_proxy/behaviour.h"

#include <array>
#include <cctype>
#include <charconv>

namespace standin {
namespace {

struct KeywordEntry {
    const char* keyword;
    Mode mode;
    unsigned maxCount; // 0: the keyword takes no count
};

constexpr std::array<KeywordEntry, 5> kKeywords{{
    {kNormalKeyword, Mode::Normal, 0},
    {kSlowStartKeyword, Mode::SlowStart, kMaxSlowStartSeconds},
    {kExitAtOnceKeyword, Mode::ExitAtOnce, 0},
    {kIgnoreStopKeyword, Mode::IgnoreStop, 0},
    {kLogRateKeyword, Mode::LogRate, kMaxLinesPerSecond},
}};

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Plain decimal digits in 1..maxCount; no sign, no trailing text.
std::optional<unsigned> ParseCount(std::string_view text, unsigned maxCount) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) {
        return std::nullopt;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value == 0 ||
        value > maxCount) {
        return std::nullopt;
    }
    return value;
}

const KeywordEntry& EntryOf(Mode mode) {
    for (const KeywordEntry& entry : kKeywords) {
        if (entry.mode == mode) {
            return entry;
        }
    }
    return kKeywords.front();
}

} // namespace

std::optional<Behaviour> ParseBehaviour(std::string_view text) {
    // Editors may leave a UTF-8 byte order mark in front of the keyword.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    text = Trim(text);
    if (text.empty()) {
        return Behaviour{};
    }
    std::size_t wordEnd = 0;
    while (wordEnd < text.size() && !IsBlank(text[wordEnd])) {
        ++wordEnd;
    }
    const std::string_view word = text.substr(0, wordEnd);
    const std::string_view rest = Trim(text.substr(wordEnd));

    for (const KeywordEntry& entry : kKeywords) {
        if (!SameWord(word, entry.keyword)) {
            continue;
        }
        if (entry.maxCount == 0) {
            if (!rest.empty()) {
                return std::nullopt;
            }
            return Behaviour{entry.mode, 0};
        }
        const std::optional<unsigned> count = ParseCount(rest, entry.maxCount);
        if (!count) {
            return std::nullopt;
        }
        return Behaviour{entry.mode, *count};
    }
    return std::nullopt;
}

std::string FormatBehaviour(const Behaviour& behaviour) {
    const KeywordEntry& entry = EntryOf(behaviour.mode);
    std::string line = entry.keyword;
    if (entry.maxCount != 0) {
        line += ' ';
        line += std::to_string(behaviour.count);
    }
    return line;
}

} // namespace standin
