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
#include "config/settings_names.h"
#include "fake_log.h"
#include "fuzz_input.h"
#include "log_model.h"
#include "mini_code_page.h"
#include "panel/log_dlg_follower.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Per input, to keep runs fast; enough to pass the view's bound.
constexpr std::size_t kMostGrowth = 5u << 20;

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
    // One file all along, rewritten in place: the name and the handle always agree.
    FakeLogFiles files;
    const std::string path = std::string("/nonexistent/") + settings::kDefaultLogFileName;
    const auto logBytes = [&]() -> const std::string& { return files.files.at(path)->tail; };
    FakeLogView view;
    CLogFollower follower(view, view, files, "/nonexistent/Settings.ini", "/nonexistent/",
                          doubleByte
                              ? AnsiCodec{&mini_code_page::CompletePrefix, &mini_code_page::ToWide}
                              : SystemAnsiCodec());
    log_model::Expected expected(doubleByte);
    std::size_t growth = 0;

    follower.Initialise();
    expected.Refresh(logBytes());
    if (!expected.Matches(view.text)) {
        std::abort();
    }
    while (input.More()) {
        switch (input.Byte()) {
        case 'a':
            files.Append(path, input.Bytes(input.Byte()));
            continue;
        case 'r':
            files.Write(path, input.Bytes(input.Byte()));
            continue;
        case 'g': {
            const std::uint8_t n = input.Byte();
            const std::size_t bytes = n < 0x80 ? (n + 1u) * 1024u : (n % 32u + 1u) * 96u * 1024u;
            const std::size_t lineLength = input.Byte();
            if (growth + bytes <= kMostGrowth) {
                growth += bytes;
                files.Append(path, FillerLines(bytes, lineLength));
            }
            continue;
        }
        case 't':
            files.Write(path, logBytes().substr(0, logBytes().size() * input.Byte() / 256u));
            continue;
        case 'c':
            files.mostPerRead = input.Byte();
            continue;
        default:
            break;
        }
        follower.OnTimer(CLogFollower::kTimerId);
        expected.Refresh(logBytes());
        if (!expected.Matches(view.text)) {
            std::abort();
        }
    }
    return 0;
}
