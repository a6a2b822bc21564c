// The Log page's text path: the follower and the stream decoder, fed a log file
// that grows, is truncated and is rewritten between ticks, read back in pieces of
// any size. After every tick the view is checked against a model of what the page
// must show, written from its rules: new bytes since the last look, from the start
// after a truncation, NUL bytes dropped, and above 2 MiB at once the marker
// followed by the text from the first whole line of the last 2 MiB; of a refresh
// longer than the view keeps, only its newest whole lines (the last one always).
// So no byte after the last line feed is lost when more text comes, and the marker
// shows exactly when more than 2 MiB arrive at once.
//
// Input: one byte of options (bit 0: a double-byte code page), then operations:
//   'a' n bytes...  append n bytes          'r' n bytes...  rewrite with n bytes
//   'g' n p         append lines (p: line length, 0: none), n + 1 KiB of them, or
//                   (n % 32 + 1) * 96 KiB when n is 0x80 or more
//   't' k           truncate to size * k / 256    'c' k   reads return at most k bytes
//   anything else   one tick
#include "fake_log.h"
#include "fuzz_input.h"
#include "log_model.h"
#include "mini_code_page.h"
#include "panel/log_follower.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Per input, to keep runs fast; enough to pass the view's bound.
constexpr std::size_t kMostGrowth = 5u << 20;

// The log file, read back in pieces no larger than the current read size.
class ChoppyLog : public ILogFileSystem {
public:
    std::unique_ptr<ILogSizeHandle> OpenForSizeQueries(const std::string&) override {
        return std::make_unique<SizeHandle>(*this);
    }
    // One file all along, rewritten in place: the name and the handle always agree.
    std::optional<LogFileStamp> StampAt(const std::string&) override { return Stamp(); }
    std::unique_ptr<ILogReader> OpenForReading(const std::string&) override {
        return std::make_unique<Reader>(*this);
    }

    std::string bytes;
    std::size_t readSize = 0; // 0: as much as asked for

private:
    LogFileStamp Stamp() const { return {bytes.size(), 0}; }

    class SizeHandle : public ILogSizeHandle {
    public:
        explicit SizeHandle(ChoppyLog& log) : m_log(log) {}
        std::optional<LogFileState> Query() override {
            return LogFileState{m_log.Stamp(), LogFileId{1, 1}};
        }

    private:
        ChoppyLog& m_log;
    };
    class Reader : public ILogReader {
    public:
        explicit Reader(ChoppyLog& log) : m_log(log) {}
        bool Seek(std::uint64_t offset) override {
            m_position = offset;
            return true;
        }
        std::size_t Read(char* buffer, std::size_t size) override {
            if (m_position >= m_log.bytes.size()) {
                return 0;
            }
            const std::size_t wanted = m_log.readSize == 0 ? size : std::min(size, m_log.readSize);
            const std::size_t got =
                m_log.bytes.copy(buffer, wanted, static_cast<std::size_t>(m_position));
            m_position += got;
            return got;
        }

    private:
        ChoppyLog& m_log;
        std::uint64_t m_position = 0;
    };
};

std::string FillerLines(std::size_t bytes, std::size_t lineLength) {
    std::string text(bytes, 'x');
    if (lineLength != 0) {
        for (std::size_t at = lineLength; at < bytes; at += lineLength + 1) {
            text[at] = '\n';
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const bool doubleByte = (input.Byte() & 1) != 0;
    ChoppyLog log;
    FakeLogView view;
    CLogFollower follower(view, log, "/nonexistent/Settings.ini", "/nonexistent/",
                          doubleByte
                              ? AnsiCodec{&mini_code_page::CompletePrefix, &mini_code_page::ToWide}
                              : SystemAnsiCodec());
    log_model::Expected expected(doubleByte);
    std::size_t growth = 0;

    follower.Initialise();
    expected.Refresh(log.bytes);
    if (!expected.Matches(view.text)) {
        std::abort();
    }
    while (input.More()) {
        switch (input.Byte()) {
        case 'a':
            log.bytes += input.Bytes(input.Byte());
            continue;
        case 'r':
            log.bytes = input.Bytes(input.Byte());
            continue;
        case 'g': {
            const std::uint8_t n = input.Byte();
            const std::size_t bytes = n < 0x80 ? (n + 1u) * 1024u : (n % 32u + 1u) * 96u * 1024u;
            const std::size_t lineLength = input.Byte();
            if (growth + bytes <= kMostGrowth) {
                growth += bytes;
                log.bytes += FillerLines(bytes, lineLength);
            }
            continue;
        }
        case 't':
            log.bytes.resize(log.bytes.size() * input.Byte() / 256u);
            continue;
        case 'c':
            log.readSize = input.Byte();
            continue;
        default:
            break;
        }
        follower.OnTimer(CLogFollower::kTimerId);
        expected.Refresh(log.bytes);
        if (!expected.Matches(view.text)) {
            std::abort();
        }
    }
    return 0;
}
