#include "log_model.h"
#include "mini_code_page.h"

#include "config/ansi_text.h"
#include "panel/log_follower.h"

#include <algorithm>
#include <iterator>

namespace log_model {

namespace {

constexpr std::size_t kTwoMiB = 2'097'152;
constexpr wchar_t kMarker[] = L"<...truncated...>\n";

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
    if (added.size() > kTwoMiB) {
        Append(kMarker);
        m_pending.clear();
        added = added.substr(added.size() - kTwoMiB);
        const std::size_t lineFeed = added.find('\n');
        added =
            lineFeed == std::string_view::npos ? std::string_view() : added.substr(lineFeed + 1);
    }
    std::remove_copy(added.begin(), added.end(), std::back_inserter(m_pending), '\0');
    const std::size_t complete =
        m_doubleByte ? mini_code_page::CompletePrefix(m_pending) : m_pending.size();
    if (m_doubleByte) {
        Append(mini_code_page::ToWide(std::string_view(m_pending).substr(0, complete)));
    } else {
        Append(AnsiToWide(std::string_view(m_pending).substr(0, complete)));
    }
    m_pending.erase(0, complete);
    m_offset = file.size();
}

bool Expected::Matches(const std::wstring& view) const {
    if (view.size() > CLogFollower::kViewTextBound) {
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
    constexpr std::size_t kKept = CLogFollower::kViewTextBound + 1;
    if (m_text.size() > 2 * kKept) {
        m_first += m_text.size() - kKept;
        m_text.erase(0, m_text.size() - kKept);
        std::erase_if(m_refreshStarts, [this](std::uint64_t at) { return at < m_first; });
    }
}

} // namespace log_model
