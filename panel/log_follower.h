#pragma once

#include "panel/ansi_stream_decoder.h"
#include "panel/log_file_access.h"
#include "panel/log_view.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Behaviour of the Log page: shows the service's log file and appends what the
// service adds to it, every tick of timer 6; Browse picks another file.
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

    // A service that logs for weeks would otherwise make the view, and the
    // process, grow without end. The view holds at most kViewTextBound
    // characters; when a refresh would pass it, whole lines go from the top until
    // the view and the new text fit in kViewTextKeep, so that a trim (which moves
    // the control's whole text) happens once per megabyte or so, not every tick.
    static constexpr std::size_t kViewTextBound = 4 * 1024 * 1024;
    static constexpr std::size_t kViewTextKeep = 3 * 1024 * 1024;
    // The control's own limit, above the bound so that it never drops text the
    // bound allows.
    static constexpr std::size_t kViewTextLimit = kViewTextBound + kMaxNewBytes;

    // settingsPath is the full path of "Settings.ini"; programFolder ends with
    // its separator and holds the default log file.
    CLogFollower(ILogView& view, ILogFileSystem& files, std::string settingsPath,
                 std::string programFolder, AnsiCodec codec = SystemAnsiCodec());
    CLogFollower(const CLogFollower&) = delete;
    CLogFollower& operator=(const CLogFollower&) = delete;
    ~CLogFollower() = default;

    // Takes the log path from the settings, shows the log so far and starts the timer.
    void Initialise();
    // Returns false for timers that are not the page's.
    bool OnTimer(unsigned id);
    // Appends what was added to the log since the last look.
    void Refresh();
    void OnBrowse();

    const std::string& LogPath() const { return m_logPath; }
    std::uint64_t ReadOffset() const { return m_readOffset; }

private:
    std::optional<LogFileState> QueryLogFile();
    std::wstring ReadNewText(ILogReader& reader, std::uint64_t size);
    void MakeRoomInView(std::size_t incoming);

    ILogView& m_view;
    ILogFileSystem& m_files;
    std::string m_settingsPath;
    std::string m_programFolder;

    std::uint64_t m_readOffset = 0;
    std::unique_ptr<ILogSizeHandle> m_sizeHandle;
    // The file followed so far, kept when the handle closes, so that a new file
    // under the log's name is told from the old one.
    std::optional<LogFileId> m_followedId;
    std::string m_logPath;
    CAnsiStreamDecoder m_decoder;
    std::vector<char> m_buffer;
};
