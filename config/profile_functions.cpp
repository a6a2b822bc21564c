#include "config/profile_functions.h"

#include "config/profile_backend.h"

#include <string>

namespace {

// A CR or LF inside a name or value would end its line in the file and let the
// rest of the text pose as keys or sections. Each one becomes a space, here, so
// that the kernel32 build and the own layer store and find the same text.
std::string SingleLine(const char* text) {
    std::string line = text != nullptr ? text : "";
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return line;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Reading trims a value and takes one pair of enclosing quotes off it, so a value
// with blanks at an end, or quoted already, would come back changed: such a value
// is written inside one more pair of quotes, which reading takes off again.
std::string ReadsBackAsWritten(std::string value) {
    const bool blankEnd = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    return blankEnd || quoted ? '"' + value + '"' : value;
}

} // namespace

namespace profile {

std::uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buf,
                        std::uint32_t size, const char* file) {
    return backend::GetString(SingleLine(section).c_str(), SingleLine(key).c_str(),
                              defaultText != nullptr ? defaultText : "", buf, size, file);
}

std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                    const char* file) {
    return backend::GetInt(SingleLine(section).c_str(), SingleLine(key).c_str(), defaultValue,
                           file);
}

std::uint32_t WriteString(const char* section, const char* key, const char* value,
                          const char* file) {
    return backend::WriteString(SingleLine(section).c_str(), SingleLine(key).c_str(),
                                ReadsBackAsWritten(SingleLine(value)).c_str(), file);
}

} // namespace profile
