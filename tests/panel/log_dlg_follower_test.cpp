// Following the service's log: what each refresh takes from the file and what the
// view ends up holding; choosing another log file.
#include "config/conf_file.h"
#include "fake_log.h"
#include "mini_code_page.h"
#include "panel/device_path.h"
#include "panel/log_dlg_follower.h"
#include "tests/support/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kTwoMiB = 2'097'152;

// Numbered lines of varying length, about `bytes` long in all.
std::string NumberedLines(std::size_t bytes, int firstNumber = 0) {
    std::string text;
    for (int n = firstNumber; text.size() < bytes; ++n) {
        text += "line " + std::to_string(n) + " " +
                std::string(static_cast<std::size_t>(n % 37), '.') + "\n";
    }
    return text;
}

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

const std::wstring kMarker = L"<...truncated...>\n";

// The lines of text that start within its last `keep` characters.
std::string NewestLines(const std::string& text, std::size_t keep) {
    return text.substr(text.find('\n', text.size() - keep - 1) + 1);
}

// Compares texts of megabytes: gtest's own diff of them is quadratic and can
// exhaust the memory, so report where they part instead.
::testing::AssertionResult SameText(const std::wstring& actual, const std::wstring& expected) {
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    const std::size_t common = std::min(actual.size(), expected.size());
    std::size_t at = 0;
    while (at < common && actual[at] == expected[at]) {
        ++at;
    }
    return ::testing::AssertionFailure()
           << "texts of " << actual.size() << " and " << expected.size() << " characters differ at "
           << at << ": \"" << actual.substr(at, 40) << "\" instead of \"" << expected.substr(at, 40)
           << "\"";
}

::testing::AssertionResult EndsWithText(const std::wstring& actual, const std::wstring& suffix) {
    if (actual.size() < suffix.size()) {
        return ::testing::AssertionFailure()
               << "text of " << actual.size() << " characters is shorter than the expected end";
    }
    return SameText(actual.substr(actual.size() - suffix.size()), suffix);
}

// Log paths that name a device or a pipe, and paths of files that look a little like them.
TEST(DevicePath, DevicesAndPipesAreRefusedFilesAndSharesAreNot) {
    const auto expect = [](bool refused, std::initializer_list<std::wstring_view> paths) {
        for (const std::wstring_view path : paths) {
            EXPECT_EQ(IsDevicePath(path), refused) << std::wstring(path);
        }
    };
    expect(true, {L"\\\\.\\pipe\\x", L"\\\\.\\PhysicalDrive0", L"\\\\.\\C:", L"//./pipe/x",
                  L"\\\\.", L"\\\\?\\GLOBALROOT\\Device\\Null", L"\\\\?\\pipe\\x", L"\\\\?\\C:",
                  L"\\\\?\\UNC", L"\\\\?\\UNC\\server\\pipe\\x", L"\\??\\C:\\log.txt",
                  L"\\\\server\\pipe\\x", L"\\\\server\\MailSlot\\x"});
    expect(true, {L"CON", L"C:\\logs\\nul.txt", L"com1 ", L"lpt9.log.txt", L"logs/Conout$",
                  L"aux. .", L"C:prn", L"COM\u00B2", L"nul:x"});
    expect(false,
           {L"\\\\?\\C:\\logs\\log.txt", L"\\\\?\\unc\\server\\share\\log.txt",
            L"\\\\server\\share\\log.txt", L"\\\\server\\pipes\\log.txt", L"C:\\nul\\log.txt",
            L"console.txt", L"COM0", L"COM10", L"CONIN", L"logs\\proxy.log", L""});
}

class LogFollowerTest : public ::testing::Test {
protected:
    // The default log file of the program folder.
    std::string LogPath() const { return folder.File("TarnlinkLog.txt"); }
    void Start() { follower.Initialise(); }
    void Tick() { follower.OnTimer(CLogFollower::kTimerId); }

    TempFolder folder;
    std::string settingsPath = folder.File("Settings.ini");
    FakeLogFiles files;
    FakeLogView view;
    CLogFollower follower{view, view, files, settingsPath, folder.File("")};
};

TEST_F(LogFollowerTest, MissingLogIsCreatedAndFollowedFromItsFirstBytes) {
    Start();
    EXPECT_EQ(follower.LogPath(), LogPath());
    EXPECT_EQ(view.shownPath, Widen(LogPath()));
    EXPECT_EQ(files.files.count(LogPath()), 1u);
    EXPECT_EQ(files.readOpens, 0);
    EXPECT_EQ(view.timers, (std::vector<std::pair<unsigned, unsigned>>{{6u, 500u}}));
    EXPECT_EQ(view.scrolled, std::vector<int>{1 - 16});
    EXPECT_GT(view.limit, CLogFollower::kViewTextBound);

    files.Append(LogPath(), "service started\n");
    Tick();
    EXPECT_EQ(view.text, L"service started\n");
    EXPECT_FALSE(follower.OnTimer(5));
}

TEST_F(LogFollowerTest, LogFileNameFromTheSettingsIsUsedAsItIs) {
    // An empty value counts as missing.
    ASSERT_EQ(CConfFile(settingsPath, "Tarnlink").WriteString("LogFileName", ""), 0u);
    CLogFollower empty(view, view, files, settingsPath, folder.File(""));
    empty.Initialise();
    EXPECT_EQ(empty.LogPath(), LogPath());

    ASSERT_EQ(CConfFile(settingsPath, "Tarnlink").WriteString("LogFileName", "logs\\proxy.log"),
              0u);
    files.Write("logs\\proxy.log", "a\nb\n");
    Start();
    EXPECT_EQ(follower.LogPath(), "logs\\proxy.log");
    EXPECT_EQ(view.text, L"a\nb\n");
}

TEST_F(LogFollowerTest, LargeLogShowsTheMarkerAndTheNewestLinesOfTheLastTwoMebibytes) {
    const std::string log = NumberedLines(5 * 1024 * 1024);
    files.Write(LogPath(), log);
    Start();
    EXPECT_EQ(files.firstReadOffset, log.size() - kTwoMiB);
    const std::string kept = NewestLines(log, CLogFollower::kViewTextKeep - kMarker.size());
    EXPECT_TRUE(SameText(view.text, kMarker + Widen(kept)));
    EXPECT_EQ(follower.ReadOffset(), log.size());
    EXPECT_LE(files.largestRead, 19'999u);
    const int lines = static_cast<int>(std::count(kept.begin(), kept.end(), '\n')) + 2;
    EXPECT_EQ(view.scrolled, std::vector<int>{lines - 16});
}

TEST_F(LogFollowerTest, CapAppliesOnlyAboveTwoMebibytes) {
    const std::string exact = NumberedLines(kTwoMiB).substr(0, kTwoMiB);
    files.Write(LogPath(), exact);
    Start();
    EXPECT_EQ(files.firstReadOffset, 0u);
    const std::wstring kept = Widen(NewestLines(exact, CLogFollower::kViewTextKeep));
    EXPECT_TRUE(SameText(view.text, kept));

    files.Append(LogPath(), std::string(kTwoMiB, 'y') + "\nlast\n");
    Tick();
    EXPECT_TRUE(SameText(view.text, kept + kMarker + L"last\n"));
}

TEST_F(LogFollowerTest, TruncatedLogIsReadAgainFromItsStart) {
    files.Write(LogPath(), NumberedLines(50'000));
    Start();
    const std::wstring before = view.text;
    const std::string restarted = NumberedLines(1'000, 900);
    files.Write(LogPath(), restarted);
    Tick();
    EXPECT_TRUE(SameText(view.text, before + Widen(restarted)));
    EXPECT_EQ(follower.ReadOffset(), restarted.size());
}

TEST_F(LogFollowerTest, ANewFileUnderTheLogsNameIsFollowedFromItsStart) {
    files.Write(LogPath(), "old 1\n");
    Start();
    // Rotated: renamed away, and a new log longer than what was read of the old one.
    files.Rename(LogPath(), LogPath() + ".1");
    files.Replace(LogPath(), "new 1\nnew 2\n");
    files.Append(LogPath() + ".1", "late\n");
    Tick();
    EXPECT_EQ(view.text, L"old 1\nnew 1\nnew 2\n");
    EXPECT_EQ(files.sizeOpens, 2);

    // Deleted and created again between two ticks, also longer.
    files.files.erase(LogPath());
    files.Replace(LogPath(), "again 1\nagain 2\nagain 3\n");
    Tick();
    EXPECT_EQ(view.text, L"old 1\nnew 1\nnew 2\nagain 1\nagain 2\nagain 3\n");

    // Deleted and not yet created again: an empty log takes its place, as at start.
    files.files.erase(LogPath());
    Tick();
    files.Append(LogPath(), "last\n");
    Tick();
    EXPECT_TRUE(EndsWithText(view.text, L"again 3\nlast\n"));
    EXPECT_EQ(follower.ReadOffset(), 5u);
}

TEST_F(LogFollowerTest, LinesWrittenDuringARefreshAreShownOnce) {
    files.Write(LogPath(), "one\n");
    files.whileOpening = [&] { files.Append(LogPath(), "two\n"); };
    Start();
    files.whileOpening = nullptr;
    Tick();
    EXPECT_EQ(view.text, L"one\ntwo\n");
}

TEST_F(LogFollowerTest, UnchangedSizeOpensNothing) {
    files.Write(LogPath(), "one\n");
    Start();
    const int reads = files.readOpens;
    const int appends = view.appends;
    Tick();
    Tick();
    EXPECT_EQ(files.readOpens, reads);
    EXPECT_EQ(view.appends, appends);
    EXPECT_EQ(files.sizeOpens, 1);

    // A log that grows is the same file: it is only opened to be read.
    files.Append(LogPath(), "two\n");
    Tick();
    EXPECT_EQ(view.text, L"one\ntwo\n");
    EXPECT_EQ(files.sizeOpens, 1);
}

TEST_F(LogFollowerTest, OffsetsBeyondFourGibibytesAreFollowed) {
    constexpr std::uint64_t kFiveGiB = 5ull << 30;
    files.Place(LogPath(), kFiveGiB, "newest\n");
    Start();
    EXPECT_TRUE(view.text.starts_with(L"<...truncated...>\nxxx"));
    EXPECT_TRUE(EndsWithText(view.text, L"newest\n"));
    EXPECT_EQ(follower.ReadOffset(), kFiveGiB);

    files.Append(LogPath(), "after five\n");
    const std::wstring before = view.text;
    Tick();
    EXPECT_TRUE(SameText(view.text, before + L"after five\n"));
    EXPECT_EQ(files.lastReadOffset, kFiveGiB);
}

TEST_F(LogFollowerTest, ViewKeepsTheNewestWholeLinesWithinItsBound) {
    files.Write(LogPath(), "");
    Start();
    int number = 0;
    const auto append = [&](std::size_t bytes) {
        const std::string more = NumberedLines(bytes, number);
        number += static_cast<int>(std::count(more.begin(), more.end(), '\n'));
        files.Append(LogPath(), more);
        Tick();
        return more;
    };
    for (int tick = 0; tick < 20; ++tick) {
        const std::string more = append(20'000);
        ASSERT_LE(view.largest, CLogFollower::kViewTextBound);
        ASSERT_TRUE(view.text.starts_with(L"line "));
        ASSERT_TRUE(EndsWithText(view.text, Widen(more)));
    }
    EXPECT_GE(view.text.size(), CLogFollower::kViewTextKeep - 20'000);

    // More than the view keeps at once: only its newest lines are handed over.
    const std::wstring firstOfBurst = L"line " + std::to_wstring(number) + L" ";
    const std::string burst = append(1024 * 1024);
    EXPECT_TRUE(EndsWithText(view.text, Widen(NewestLines(burst, CLogFollower::kViewTextKeep))));
    EXPECT_EQ(view.text.find(firstOfBurst), std::wstring::npos);
    EXPECT_LE(view.largest, CLogFollower::kViewTextBound);

    // An unfinished last line longer than that is kept whole, and completed later.
    const std::wstring longLine(CLogFollower::kViewTextKeep + 10, L'z');
    files.Append(LogPath(), "short\n" + std::string(longLine.begin(), longLine.end()));
    Tick();
    EXPECT_TRUE(EndsWithText(L"\n" + view.text, L"\n" + longLine));
    EXPECT_EQ(view.text.find(L"short"), std::wstring::npos);
    files.Append(LogPath(), "\nnext\n");
    Tick();
    EXPECT_TRUE(EndsWithText(L"\n" + view.text, L"\n" + longLine + L"\nnext\n"));
}

TEST_F(LogFollowerTest, NulBytesDoNotHideTheRestOfARead) {
    files.Write(LogPath(), std::string("abc\0def\n", 8));
    Start();
    EXPECT_EQ(view.text, L"abcdef\n");
}

TEST_F(LogFollowerTest, CharacterSplitAcrossReadsIsNotGarbled) {
    CLogFollower mini(view, view, files, settingsPath, folder.File(""),
                      AnsiCodec{&mini_code_page::CompletePrefix, &mini_code_page::ToWide});
    // The lead byte is the last byte of the first read.
    std::string log(19'998, 'a');
    log += "\x81\x42z\n";
    files.Write(LogPath(), log);
    mini.Initialise();
    EXPECT_TRUE(SameText(view.text, std::wstring(19'998, L'a') + L"\x3042z\n"));

    // And across two refreshes, when the service has written only the lead byte.
    files.Append(LogPath(), "\x81");
    mini.Refresh();
    files.Append(LogPath(), "\x43\n");
    mini.Refresh();
    EXPECT_TRUE(EndsWithText(view.text, L"z\n\x3043\n"));
}

TEST_F(LogFollowerTest, FailedOpensSkipOrRetry) {
    files.Write(LogPath(), "first\n");
    files.failReadOpen = true;
    Start();
    EXPECT_EQ(view.text, L"");
    EXPECT_EQ(follower.ReadOffset(), 6u);

    files.failReadOpen = false;
    files.Append(LogPath(), "second\n");
    Tick();
    EXPECT_EQ(view.text, L"second\n");

    FakeLogFiles unreachable;
    unreachable.failSizeOpen = true;
    CLogFollower retrying(view, view, unreachable, settingsPath, folder.File(""));
    retrying.Initialise();
    retrying.Refresh();
    EXPECT_EQ(unreachable.sizeOpens, 2);
    EXPECT_EQ(unreachable.readOpens, 0);
}

TEST_F(LogFollowerTest, ADeviceNamedAsTheLogIsNeverOpenedAndToldOnce) {
    const std::string pipe = "\\\\.\\pipe\\log";
    ASSERT_EQ(CConfFile(settingsPath, "Tarnlink").WriteString("LogFileName", pipe), 0u);
    Start();
    EXPECT_TRUE(view.messages.empty()) << "not while the page is made";
    Tick();
    Tick();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_THAT(view.messages.at(0).text, ::testing::StartsWith(L"Could not use " + Widen(pipe) +
                                                                L" as the log file: it names a"));
    EXPECT_EQ(files.sizeOpens + files.readOpens + files.nameQueries, 0);
    EXPECT_EQ(view.text, L"");

    // Browse offers the default file instead, and the file chosen is followed.
    files.Write(LogPath(), "line\n");
    EXPECT_EQ(follower.BrowseQuestion().initialName, Widen(LogPath()));
    follower.UseChosenLogFile(Widen(LogPath()));
    Tick();
    EXPECT_TRUE(EndsWithText(view.text, L"effect.line\n"));
}

TEST_F(LogFollowerTest, BrowseSwitchesToTheChosenFileFromItsStart) {
    ASSERT_EQ(CConfFile(settingsPath, "Tarnlink").WriteString("RulesCount", "3"), 0u);
    files.Write(LogPath(), NumberedLines(10'000));
    Start();
    // Asked, and then cancelled: nothing changes.
    const LogFileQuestion question = follower.BrowseQuestion();
    EXPECT_EQ(question.filter, L"Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(question.defaultExtension, L"txt");
    EXPECT_EQ(question.initialName, Widen(LogPath()));
    EXPECT_EQ(follower.LogPath(), LogPath());
    EXPECT_TRUE(view.messages.empty());

    const std::string other = folder.File("other.txt");
    files.Write(other, NumberedLines(20'000));
    follower.UseChosenLogFile(Widen(other));
    EXPECT_EQ(CConfFile(settingsPath, "Tarnlink").ReadString("LogFileName", ""), other);
    EXPECT_EQ(CConfFile(settingsPath, "Tarnlink").ReadString("RulesCount", ""), "3");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Settings.ini"}) << "no copy left";
    EXPECT_EQ(view.shownPath, Widen(other));
    const std::wstring notice = L"You need to Stop and Start server to changes to have effect.";
    EXPECT_EQ(view.text, notice);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages.at(0).text, notice);
    EXPECT_TRUE(view.messages.at(0).caption.empty());
    EXPECT_EQ(view.messages.at(0).icon, MessageIcon::Information);

    Tick();
    EXPECT_TRUE(SameText(view.text, notice + Widen(files.files[other]->tail)));
}

TEST_F(LogFollowerTest, BrowseWhoseSettingCannotBeWrittenKeepsTheOldFile) {
    const std::string unwritable = folder.File("missing-folder") + "/Settings.ini";
    CLogFollower stuck(view, view, files, unwritable, folder.File(""));
    files.Write(LogPath(), "old\n");
    stuck.Initialise();
    stuck.UseChosenLogFile(Widen(folder.File("other.txt")));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_THAT(view.messages.at(0).text,
                ::testing::StartsWith(L"Could not save the settings to "));
    EXPECT_EQ(view.messages.at(0).icon, MessageIcon::Error);
    EXPECT_EQ(stuck.LogPath(), LogPath());
    EXPECT_EQ(view.text, L"old\n");
    files.Append(LogPath(), "more\n");
    stuck.Refresh();
    EXPECT_EQ(view.text, L"old\nmore\n");
}

TEST_F(LogFollowerTest, BrowseOfAPathThatCannotBeTheLogKeepsTheOldFile) {
    files.Write(LogPath(), "old\n");
    Start();
    const std::pair<std::wstring, std::wstring> kRefused[] = {
        {L"C:\\\u0141\u00f3d\u017a\\log.txt",
         L"its path holds characters that the system's code page cannot represent."},
        {L"C:\\logs\\nul.txt", L"it names a device or a pipe, not a file."}};
    for (const auto& [chosen, reason] : kRefused) {
        view.messages.clear();
        follower.UseChosenLogFile(chosen);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages.at(0).text,
                  L"Could not use " + chosen + L" as the log file: " + reason);
        EXPECT_EQ(view.messages.at(0).icon, MessageIcon::Error);
        EXPECT_EQ(CConfFile(settingsPath, "Tarnlink").ReadString("LogFileName", "unset"), "unset");
        EXPECT_EQ(follower.LogPath(), LogPath());
        EXPECT_EQ(view.shownPath, Widen(LogPath()));
        EXPECT_EQ(view.text, L"old\n");
    }
}

} // namespace
