#include "panel/log_dlg_follower.h"

#include "config/ansi_text.h"
#include "config/conf_file.h"
#include "config/settings_names.h"
#include "panel/device_path.h"
#include "panel/panel_texts.h"
#include "panel/text_format.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// Drops the older lines of text after its first `head` characters (the marker's
// line, or none), so that at most `keep` characters are left where whole lines
// allow; the last line is kept whole even when it alone is longer.
void KeepNewestLines(std::wstring& text, std::size_t head, std::size_t keep) {
    if (text.size() <= keep) {
        return;
    }
    const std::size_t from = text.size() - keep + head;
    std::size_t start = text.find(L'\n', from - 1);
    if (start == std::wstring::npos || start + 1 == text.size()) {
        start = text.rfind(L'\n', text.size() - 2);
    }
    start = start == std::wstring::npos ? 0 : start + 1;
    if (start > head) {
        text.erase(head, start - head);
    }
}

} // namespace

CLogFollower::CLogFollower(ILogDlgView& view, IMessageBoxOwner& messages, ILogFile& file,
                           std::string settingsPath, std::string programFolder, AnsiCodec codec)
    : m_view(view), m_messages(messages), m_file(file), m_settingsPath(std::move(settingsPath)),
      m_programFolder(std::move(programFolder)), m_decoder(codec), m_buffer(kReadBufferSize) {}

void CLogFollower::Initialise() {
    const CConfFile conf(m_settingsPath, settings::kMainSection);
    m_logPath = conf.ReadString(settings::kLogFileNameKey, "");
    if (m_logPath.empty()) {
        m_logPath = DefaultLogPath();
    }
    const std::wstring shownPath = AnsiToWide(m_logPath);
    m_pathRefused = IsDevicePath(shownPath);
    m_refusalUntold = m_pathRefused;
    m_view.ShowPath(shownPath);
    m_view.SetTextLimit(kViewTextLimit);
    Refresh();
    m_view.StartTimer(kTimerId, kTimerPeriodMs);
    m_view.ShowLastLines(kLinesShownAtOpening);
}

bool CLogFollower::OnTimer(unsigned id) {
    if (id != kTimerId) {
        return false;
    }
    // Not while the page is being made: a modal box then would hold up the sheet's
    // switch to it. Cleared first, as the box's own loop goes on ticking.
    if (m_refusalUntold) {
        m_refusalUntold = false;
        m_messages.ShowMessage(FilledMessage(texts::kLogPathIsDevice, {AnsiToWide(m_logPath)}));
    }
    Refresh();
    return true;
}

std::string CLogFollower::DefaultLogPath() const {
    return m_programFolder + settings::kDefaultLogFileName;
}

void CLogFollower::Refresh() {
    if (m_pathRefused) {
        return;
    }
    const std::optional<LogFileState> state = QueryLogFile();
    if (!state) {
        return;
    }
    const std::uint64_t size = state->stamp.size;
    if (size < m_readOffset) {
        // Truncated: the file's content follows what the view holds.
        m_readOffset = 0;
        m_decoder.Reset();
    }
    if (size == m_readOffset) {
        return;
    }
    if (!m_file.OpenForReading(m_logPath)) {
        m_readOffset = size;
        m_decoder.Reset();
        return;
    }
    const std::size_t head = SkipsOlderBytes(size) ? texts::kTruncationMarker.size() : 0;
    std::wstring text = ReadNewText(size);
    m_file.CloseReading();
    KeepNewestLines(text, head, kViewTextKeep);
    ShowInView(text);
    m_readOffset = size;
}

std::optional<LogFileState> CLogFollower::QueryLogFile() {
    std::optional<LogFileState> state = m_file.QueryKept();
    // Asked by name, which opens nothing: while the path leads to the file behind
    // the handle kept, both answers agree. Otherwise the log was renamed, deleted or
    // replaced (or written between the two questions), and the handle is opened
    // afresh at the path, the old one closed first so that a deleted file it holds
    // can go.
    if (!state || m_file.StampAt(m_logPath) != state->stamp) {
        state = m_file.KeepOpen(m_logPath) ? m_file.QueryKept() : std::nullopt;
        if (!state) {
            m_file.CloseKept(); // tried again at the next tick
            return std::nullopt;
        }
    }
    if (m_followedId && *m_followedId != state->id) {
        // Another file under the log's name, as after a rotation: it is followed
        // from its start, after what the view holds.
        m_readOffset = 0;
        m_decoder.Reset();
    }
    m_followedId = state->id;
    return state;
}

std::wstring CLogFollower::ReadNewText(std::uint64_t size) {
    std::wstring text;
    std::uint64_t position = m_readOffset;
    bool skipToLineStart = false;
    if (SkipsOlderBytes(size)) {
        text = texts::kTruncationMarker;
        position = size - kMaxNewBytes;
        skipToLineStart = true;
        m_decoder.Reset();
    }
    // Only up to the size measured: what the service writes meanwhile is the next
    // tick's, which starts reading there, so nothing is shown twice.
    while (position < size) {
        const auto wanted =
            static_cast<std::size_t>(std::min<std::uint64_t>(kMaxReadBytes, size - position));
        const std::size_t got = m_file.ReadAt(position, m_buffer.data(), wanted);
        if (got == 0) {
            break;
        }
        position += got;
        std::string_view chunk(m_buffer.data(), got);
        if (skipToLineStart) {
            const std::size_t lineFeed = chunk.find('\n');
            if (lineFeed == std::string_view::npos) {
                continue;
            }
            chunk.remove_prefix(lineFeed + 1);
            skipToLineStart = false;
        }
        m_decoder.Decode(chunk, text);
    }
    return text;
}

void CLogFollower::ShowInView(const std::wstring& text) {
    const std::size_t length = m_view.TextLength();
    if (length + text.size() <= kViewTextBound) {
        m_view.AppendAtEnd(text);
        return;
    }
    const std::size_t keep = text.size() < kViewTextKeep ? kViewTextKeep - text.size() : 0;
    const std::size_t cut = length > keep ? m_view.LineStartAtOrAfter(length - keep) : 0;
    if (cut >= length) {
        m_view.ShowOnly(text);
        return;
    }
    m_view.RemoveLeadingText(cut);
    m_view.AppendAtEnd(text);
}

LogFileQuestion CLogFollower::BrowseQuestion() const {
    // The dialog is not given a device's name, which it might open to look at.
    return {texts::kLogFileFilter, texts::kLogFileDefaultExtension,
            AnsiToWide(m_pathRefused ? DefaultLogPath() : m_logPath)};
}

void CLogFollower::UseChosenLogFile(const std::wstring& chosen) {
    std::string newPath = WideToAnsi(chosen);
    // A look-alike path (or one with '?') would have the service log elsewhere.
    if (AnsiToWide(newPath) != chosen) {
        m_messages.ShowMessage(FilledMessage(texts::kLogPathNotInCodePage, {chosen}));
        return;
    }
    if (IsDevicePath(chosen)) {
        m_messages.ShowMessage(FilledMessage(texts::kLogPathIsDevice, {chosen}));
        return;
    }
    const std::uint32_t code =
        CConfFile(m_settingsPath, settings::kMainSection).StagedSave([&newPath](CConfFile& conf) {
            return conf.WriteString(settings::kLogFileNameKey, newPath);
        });
    if (code != 0) {
        // The service would go on logging to the old file: keep following it.
        m_messages.ShowMessage(FilledMessage(texts::kSettingsSaveFailed,
                                             {AnsiToWide(m_settingsPath), SignedDecimal(code)}));
        return;
    }
    m_logPath = std::move(newPath);
    m_pathRefused = false;
    m_refusalUntold = false;
    m_view.ShowPath(chosen);
    m_file.CloseKept();
    // The new file is read from its start, whatever was read of the old one.
    m_readOffset = 0;
    m_decoder.Reset();
    m_view.ShowOnly(texts::kLogFileChanged.text);
    m_messages.ShowMessage(MakeRequest(texts::kLogFileChanged));
}
