#pragma once

#include "panel/ansi_stream_decoder.h"
#include "panel/log_dlg_view.h"
#include "panel/log_file.h"
#include "panel/message_box.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What Browse's file dialog offers: its filter, its default extension and the file
// it names first.
struct LogFileQuestion {
    std::wstring_view filter;
    std::wstring_view defaultExtension;
    std::wstring initialName;
};

// Behaviour of the Log page: shows the service's log file and appends what the
// service adds to it, every tick of timer 6. For Browse the page asks the user for
// another file and hands over the one chosen.
class CLogFollower {
public:
    static constexpr unsigned kTimerId = 6;
    static constexpr unsigned kTimerPeriodMs = 500;
    // Most new bytes taken in one refresh; above it the older ones are skipped.
    static constexpr std::uint64_t kMaxNewBytes = 2'097'152;
    static constexpr std::size_t kReadBufferSize = 20'000;
    static constexpr std::size_t kMaxReadBytes = kReadBufferSize - 1;
    // Lines left in view below the top when the page first shows the log.
    static constexpr int kLinesShownAtOpening = 16;

    // The view keeps the newest part of the log only. A rich edit control lays out
    // every character it takes, on this thread, and Wine's cuts its start line by
    // line at a cost that grows with the lines behind: so a tick hands it at most
    // kViewTextKeep characters (the newest whole lines, behind the marker when there
    // is one), and when the view would pass kViewTextBound, whole lines go from its
    // top until the view and the new text fit in kViewTextKeep. The cut happens at
    // most once per kViewTextBound - kViewTextKeep characters taken.
    static constexpr std::size_t kViewTextBound = 64 * 1024;
    static constexpr std::size_t kViewTextKeep = 32 * 1024;
    // The control's own limit, above the bound so that it never drops text the
    // bound allows (an unfinished last line longer than kViewTextKeep is kept whole).
    static constexpr std::size_t kViewTextLimit = kViewTextBound + kMaxNewBytes;

    // settingsPath is the full path of "Settings.ini"; programFolder ends with
    // its separator and holds the default log file.
    CLogFollower(ILogDlgView& view, IMessageBoxOwner& messages, ILogFile& file,
                 std::string settingsPath, std::string programFolder,
                 AnsiCodec codec = SystemAnsiCodec());
    CLogFollower(const CLogFollower&) = delete;
    CLogFollower& operator=(const CLogFollower&) = delete;

    // Takes the log path from the settings, shows the log so far and starts the timer.
    // A path that names a device or a pipe is never opened; the first tick says so.
    void Initialise();
    // Returns false for timers that are not the page's.
    bool OnTimer(unsigned id);
    // Appends what was added to the log since the last look.
    void Refresh();
    LogFileQuestion BrowseQuestion() const;
    // Follows the chosen file from now on and keeps it in the settings, or tells the
    // user why not and goes on with the old one.
    void UseChosenLogFile(const std::wstring& chosen);

    const std::string& LogPath() const { return m_logPath; }
    std::uint64_t ReadOffset() const { return m_readOffset; }

private:
    std::string DefaultLogPath() const;
    std::optional<LogFileState> QueryLogFile();
    // True when more than kMaxNewBytes were added, so that only the end is read.
    bool SkipsOlderBytes(std::uint64_t size) const { return size - m_readOffset > kMaxNewBytes; }
    std::wstring ReadNewText(std::uint64_t size);
    // Appends text, first taking whole lines from the view's top when it would
    // pass its bound.
    void ShowInView(const std::wstring& text);

    ILogDlgView& m_view;
    IMessageBoxOwner& m_messages;
    ILogFile& m_file;
    std::string m_settingsPath;
    std::string m_programFolder;

    std::uint64_t m_readOffset = 0;
    // The file followed so far, kept when the handle closes, so that a new file
    // under the log's name is told from the old one.
    std::optional<LogFileId> m_followedId;
    std::string m_logPath;
    // The log path names a device or a pipe; told once, at the first tick, over the page.
    bool m_pathRefused = false;
    bool m_refusalUntold = false;
    CAnsiStreamDecoder m_decoder;
    std::vector<char> m_buffer;
};
