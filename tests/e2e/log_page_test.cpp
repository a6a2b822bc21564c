#include "panel_fixture.h"
#include "settings_text.h"

#include "config/settings_names.h"
#include "panel/panel_texts.h"
#include "resources/tarnlink/resource_ids.h"
#include "testing/standin_harness/wait_until.h"

#include <dlgs.h>

#include <cstdint>
#include <string>
#include <string_view>

// Following the log on the Log page, and choosing another log file.
namespace {

using namespace std::chrono_literals;

// The scenario, with a pipe's server of its own that may be named as the log.
class LogPage : public PanelScenario {
protected:
    void TearDown() override {
        PanelScenario::TearDown();
        if (m_pipe != INVALID_HANDLE_VALUE) {
            DWORD ignored = 0; // the wait is over before m_connect, which it writes, goes
            CancelIo(m_pipe);
            GetOverlappedResult(m_pipe, &m_connect, &ignored, TRUE);
            CloseHandle(m_pipe);
        }
    }

    // Waits for one client on a pipe of its own name; the pipe's path, empty on failure.
    std::string ServePipe() {
        const std::string path =
            "\\\\.\\pipe\\tarnlink-log-" + std::to_string(GetCurrentProcessId());
        m_pipe = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                  PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
        const bool waiting = m_pipe != INVALID_HANDLE_VALUE &&
                             !ConnectNamedPipe(m_pipe, &m_connect) &&
                             GetLastError() == ERROR_IO_PENDING;
        return waiting ? path : std::string();
    }
    bool ClientConnected() const { return HasOverlappedIoCompleted(&m_connect); }

private:
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    OVERLAPPED m_connect{};
};

// The file name field of the common save dialog: a combo box in newer layouts, an
// edit field in older ones.
int FileNameFieldOf(HWND dialog) {
    if (GetDlgItem(dialog, cmb13) != nullptr) {
        return cmb13;
    }
    return GetDlgItem(dialog, edt1) != nullptr ? edt1 : 0;
}

// The save dialog that Browse opens: a dialog of the panel with a file name field.
HWND WaitForSaveDialog(DWORD processId) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : ui::DialogsOf(processId)) {
                if (FileNameFieldOf(dialog) != 0) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        ui::kUiPatience, 50ms);
    return found;
}

bool ViewShows(HWND logPage, const std::wstring& text) {
    return WaitUntil(
        [&] { return ui::ControlText(logPage, IDC_LOG_VIEW).find(text) != std::wstring::npos; },
        ui::kUiPatience, 100ms);
}

TEST_F(LogPage, ALogRenamedAwayIsFollowedInTheNewFileFromItsStart) {
    const std::string name = settings::kDefaultLogFileName;
    ASSERT_EQ(m_install.WriteFile(name, "old line\n"), 0u);
    ASSERT_NE(StartPanel(), nullptr);
    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);
    ASSERT_TRUE(ViewShows(log, L"old line"));

    // Rotated while the page holds the file: a new log longer than the old offset.
    ASSERT_TRUE(MoveFileA(m_install.PathOf(name).c_str(), m_install.PathOf(name + ".1").c_str()));
    ASSERT_EQ(m_install.WriteFile(name, "first line of the new log\n"), 0u);
    EXPECT_TRUE(ViewShows(log, L"first line of the new log"));
    ASSERT_EQ(m_install.WriteFile(name, "first line of the new log\nsecond\n"), 0u);
    EXPECT_TRUE(ViewShows(log, L"second"));
    const std::wstring view = ui::ControlText(log, IDC_LOG_VIEW);
    EXPECT_EQ(view.find(L"old line"), 0u) << "the view is never cleared";
    EXPECT_EQ(view.find(L"first line"), view.rfind(L"first line")) << "read once";
    EXPECT_EQ(m_install.ReadFile(name + ".1"), "old line\n");
}

// A pipe's server named as the log could act as the panel's administrator: the page
// never connects to it, shows nothing and says why, once.
TEST_F(LogPage, APipeNamedAsTheLogIsNeverOpenedAndRefusedOnce) {
    const std::string pipe = ServePipe();
    ASSERT_FALSE(pipe.empty()) << GetLastError();
    WriteSettings(settings_text::MainSection(std::nullopt, pipe));
    ASSERT_NE(StartPanel(), nullptr);
    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);

    const ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    ASSERT_NE(box.window, nullptr);
    std::wstring refusal(texts::kLogPathIsDevice.text);
    refusal.replace(refusal.find(L"%s"), 2, Widen(pipe));
    EXPECT_EQ(box.text, refusal);
    EXPECT_EQ(box.caption, kPanelName);
    ASSERT_TRUE(ui::Answer(box, IDOK));
    EXPECT_EQ(ui::WaitForMessageBox(PanelId(), 2s).window, nullptr) << "told once";
    EXPECT_EQ(ui::ControlText(log, IDC_LOG_VIEW), L"");
    EXPECT_FALSE(ClientConnected());
}

TEST_F(LogPage, BrowseToANewLogFileStoresItShowsItAndTellsToRestartTheServer) {
    ASSERT_NE(StartPanel(), nullptr);
    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);
    ASSERT_TRUE(ui::Click(log, IDC_BROWSE));
    HWND saveDialog = WaitForSaveDialog(PanelId());
    ASSERT_NE(saveDialog, nullptr);

    const std::string chosen = m_install.PathOf("service log.txt");
    const std::wstring chosenWide = Widen(chosen);
    ui::SetControlText(saveDialog, FileNameFieldOf(saveDialog), chosenWide);
    ASSERT_TRUE(ui::Click(saveDialog, IDOK));

    const ui::MessageBoxSeen box = ui::WaitForMessageBox(PanelId());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, texts::kLogFileChanged.text);
    EXPECT_EQ(box.caption, kPanelName);
    EXPECT_EQ(ui::ControlText(log, IDC_LOG_PATH), chosenWide);
    EXPECT_EQ(ui::ControlText(log, IDC_LOG_VIEW), texts::kLogFileChanged.text);
    // The page follows the new file from its next look, creating it empty.
    EXPECT_TRUE(
        WaitUntil([&] { return GetFileAttributesA(chosen.c_str()) != INVALID_FILE_ATTRIBUTES; },
                  ui::kUiPatience));
    EXPECT_EQ(SettingsText(), settings_text::MainSection(std::nullopt, chosen));
    ASSERT_TRUE(ui::Answer(box, IDOK));

    // The log setting is saved already, so leaving with OK asks nothing.
    ASSERT_TRUE(ui::Click(Sheet(), IDOK));
    EXPECT_EQ(m_panel.WaitForExit(ui::kUiPatience), DWORD{0}) << "the panel ended normally";
}

// Writes text at an offset of the file, creating it; a hole before it stays sparse.
bool WriteAt(const std::string& path, std::uint64_t offset, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD written = 0;
    const bool ok =
        SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    CloseHandle(file);
    return ok;
}

// A log past 4 GiB, as a service that runs for years leaves: sizes and offsets must
// stay 64-bit in the 32-bit build too. The page shows the end behind the marker and
// then follows what is appended.
TEST_F(LogPage, FollowsALogLargerThanFourGiB) {
    constexpr std::uint64_t kFiveGiB = 5ull << 30;
    const std::string path = m_install.PathOf(settings::kDefaultLogFileName);
    const std::string tail = "\r\nlast line before opening\r\n";
    ASSERT_TRUE(WriteAt(path, kFiveGiB, tail));

    ASSERT_NE(StartPanel(), nullptr);
    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);
    const auto timesShown = [&](std::wstring_view text) {
        const std::wstring view = ui::ControlText(log, IDC_LOG_VIEW);
        std::size_t count = 0;
        for (auto at = view.find(text); at != std::wstring::npos; at = view.find(text, at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_TRUE(
        WaitUntil([&] { return timesShown(L"last line before opening") > 0; }, ui::kUiPatience));
    EXPECT_EQ(ui::ControlText(log, IDC_LOG_VIEW).rfind(L"<...truncated...>", 0), 0u);

    ASSERT_TRUE(WriteAt(path, kFiveGiB + tail.size(), "appended past 4 GiB\r\n"));
    EXPECT_TRUE(WaitUntil([&] { return timesShown(L"appended past 4 GiB") > 0; }, ui::kUiPatience));
    // An offset cut to 32 bits would read the end again at every tick.
    EXPECT_EQ(timesShown(L"<...truncated...>"), 1u);
    EXPECT_EQ(timesShown(L"last line before opening"), 1u);
    EXPECT_EQ(timesShown(L"appended past 4 GiB"), 1u);
}

// A service that writes megabytes at once, again and again: each time the newest
// line shows soon, and the window answers all the while.
TEST_F(LogPage, BurstsOfMegabytesShowTheirLastLineWhileTheWindowAnswers) {
    constexpr auto kAnswerPatience = 2s;
    const std::string path = m_install.PathOf(settings::kDefaultLogFileName);
    ASSERT_NE(StartPanel(), nullptr);
    HWND log = ShowLogPage();
    ASSERT_NE(log, nullptr);
    std::uint64_t size = 0;
    bool answered = true;
    for (int burst = 1; burst <= 3; ++burst) {
        std::string text;
        while (text.size() < (3u << 20)) {
            text += "burst " + std::to_string(burst) + " line " + std::to_string(text.size()) +
                    std::string(70, '.') + "\r\n";
        }
        const std::string last = "end of burst " + std::to_string(burst);
        text += last + "\r\n";
        ASSERT_TRUE(WriteAt(path, size, text));
        size += text.size();
        EXPECT_TRUE(WaitUntil(
            [&] {
                DWORD_PTR ignored = 0;
                answered =
                    answered &&
                    SendMessageTimeoutW(
                        Sheet(), WM_NULL, 0, 0, SMTO_NORMAL,
                        static_cast<UINT>(std::chrono::milliseconds(kAnswerPatience).count()),
                        &ignored) != 0;
                return ui::ControlText(log, IDC_LOG_VIEW).find(Widen(last)) != std::wstring::npos;
            },
            ui::kUiPatience, 50ms))
            << last;
        ASSERT_TRUE(answered) << "the window did not answer within 2 s during burst " << burst;
    }
}

} // namespace
