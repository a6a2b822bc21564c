#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The judge of the log text target, kept apart so that it is built without
// coverage feedback: it is not code under test, and it runs over megabytes.
namespace log_model {

// What the page must have shown so far, kept to its last characters.
class Expected {
public:
    explicit Expected(bool doubleByte) : m_doubleByte(doubleByte) {}

    // One look at the file as it now is.
    void Refresh(const std::string& file);
    // The view holds all of the text, or, once it was trimmed, a tail of it that
    // starts at a line or where a refresh began, and never more than the control's
    // limit.
    bool Matches(const std::wstring& view) const;

private:
    void Append(std::wstring_view text);

    bool m_doubleByte;
    std::uint64_t m_offset = 0;
    std::string m_pending;
    std::wstring m_text;                        // the text shown so far, or its last characters
    std::uint64_t m_first = 0;                  // where m_text starts in all the text shown
    std::vector<std::uint64_t> m_refreshStarts; // where each refresh's text starts
};

} // namespace log_model
