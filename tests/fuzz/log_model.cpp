#include "log_model.h"
#include "mini_code_page.h"

#include "config/ansi_text.h"
#include "panel/log_dlg_follower.h"

#include <algorithm>
#include <iterator>

namespace log_model {

namespace {

constexpr std::size_t kTwoMiB = 2'097'152;
constexpr std::wstring_view kMarker = L"<...truncated...>\n";

// Where the newest whole lines of text begin that fit in room characters; the
// last line counts as fitting whatever its length.
std::size_t NewestLinesStart(std::wstring_view text, std::size_t room) {
    if (text.size() <= room) {
        return 0;
    }
    const auto lineStartBefore = [&](std::size_t at) {
        const std::size_t lineFeed = at < 2 ? std::wstring_view::npos : text.rfind(L'\n', at - 2);
        return lineFeed == std::wstring_view::npos ? 0 : lineFeed + 1;
    };
    std::size_t start = lineStartBefore(text.size());
    while (start > 0 && text.size() - lineStartBefore(start) <= room) {
        start = lineStartBefore(start);
    }
    return start;
}

} // namespace

void Expected::Refresh(const std::string& file) {
    if (file.size() < m_offset) {
        m_offset = 0;
        m_pending.clear();
    }
    if (file.size() == m_offset) {
        return;
    }
    m_refreshStarts.push_back(m_first + m_text.size());
    std::string_view added = std::string_view(file).substr(m_offset);
    const bool marked = added.size() > kTwoMiB;
    if (marked) {
        m_pending.clear();
        added = added.substr(added.size() - kTwoMiB);
        const std::size_t lineFeed = added.find('\n');
        added =
            lineFeed == std::string_view::npos ? std::string_view() : added.substr(lineFeed + 1);
    }
    std::remove_copy(added.begin(), added.end(), std::back_inserter(m_pending), '\0');
    const std::size_t complete =
        m_doubleByte ? mini_code_page::CompletePrefix(m_pending) : m_pending.size();
    const std::string_view decodable = std::string_view(m_pending).substr(0, complete);
    const std::wstring text =
        m_doubleByte ? mini_code_page::ToWide(decodable) : AnsiToWide(decodable);
    // A refresh hands the view no more than it keeps: its newest whole lines,
    // behind the marker.
    const std::size_t head = marked ? kMarker.size() : 0;
    Append((marked ? std::wstring(kMarker) : std::wstring()) +
           text.substr(NewestLinesStart(text, CLogFollower::kViewTextKeep - head)));
    m_pending.erase(0, complete);
    m_offset = file.size();
}

bool Expected::Matches(const std::wstring& view) const {
    // Past the bound only by one unfinished line longer than what the view keeps.
    if (view.size() > CLogFollower::kViewTextLimit) {
        return false;
    }
    if (m_first == 0 && m_text.size() <= CLogFollower::kViewTextBound) {
        return view == m_text;
    }
    if (view.size() > m_text.size() || !m_text.ends_with(view)) {
        return false;
    }
    // Trimming takes whole lines off the top, or all the view held before a refresh.
    const std::size_t start = m_text.size() - view.size();
    return (start == 0 && m_first == 0) || (start > 0 && m_text[start - 1] == L'\n') ||
           std::binary_search(m_refreshStarts.begin(), m_refreshStarts.end(), m_first + start);
}

void Expected::Append(std::wstring_view text) {
    m_text += text;
    // Only a tail longer than the view's bound is needed to judge it.
    constexpr std::size_t kKept = CLogFollower::kViewTextLimit + 1;
    if (m_text.size() > 2 * kKept) {
        m_first += m_text.size() - kKept;
        m_text.erase(0, m_text.size() - kKept);
        std::erase_if(m_refreshStarts, [this](std::uint64_t at) { return at < m_first; });
    }
}

} // namespace log_model
