// How the control panel answers while the service writes a busy log: for each rate
// it starts the panel in a fresh installation, shows the Log page, appends lines to
// the log at that rate from another thread and asks the panel's window every 50 ms
// to answer WM_NULL; at the end it writes one more line and times how long the Log
// page takes to show it. Then it prints one table row:
//   log_load_bench [seconds per rate]
// A benchmark, not a test: scripts/log_load_bench runs it under Wine. The page
// works on the window's thread, so the longest answer is about its longest tick.
#include "resources/tarnlink/resource_ids.h"
#include "testing/panel_driver/child_process.h"
#include "testing/panel_driver/panel_driving.h"
#include "testing/panel_driver/ui_driver.h"
#include "testing/standin_harness/standin_install.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kPingPeriod = 50ms;
constexpr UINT kPingTimeoutMs = 5000;
constexpr auto kWritePeriod = 50ms;
constexpr auto kRatePeriod = 500ms;
constexpr double kSlowAnswerMs = 100;
constexpr auto kInstallerPatience = std::chrono::milliseconds(60s);
constexpr std::size_t kLineBytes = 100;
constexpr auto kShownPatience = 5s;
constexpr auto kShownPoll = 20ms;
constexpr std::array<std::size_t, 4> kRates{0, 256 * 1024, 1024 * 1024, 2 * 1024 * 1024};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Appends numbered lines of kLineBytes to the log at bytesPerHalfSecond until end,
// as the service would, in one write every kWritePeriod.
void WriteLog(const std::string& path, std::size_t bytesPerHalfSecond, Clock::time_point end) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "log_load_bench: cannot write %s\n", path.c_str());
        return;
    }
    const Clock::time_point start = Clock::now();
    std::size_t written = 0;
    std::size_t number = 0;
    std::string batch;
    for (Clock::time_point now = start; now < end && bytesPerHalfSecond > 0; now = Clock::now()) {
        const auto due = static_cast<std::size_t>(static_cast<double>(bytesPerHalfSecond) *
                                                  (Ms(now - start) / Ms(kRatePeriod)));
        batch.clear();
        while (written + batch.size() + kLineBytes <= due) {
            char head[32];
            const int n = std::snprintf(head, sizeof head, "line %010zu ", number++);
            batch.append(head, static_cast<std::size_t>(n));
            batch.append(kLineBytes - 1 - static_cast<std::size_t>(n), 'x');
            batch += '\n';
        }
        DWORD done = 0;
        WriteFile(file, batch.data(), static_cast<DWORD>(batch.size()), &done, nullptr);
        written += batch.size();
        std::this_thread::sleep_for(kWritePeriod);
    }
    CloseHandle(file);
}

// Appends one line and answers how long the Log page took to show it, in ms, or
// kPingTimeoutMs when it did not within kShownPatience.
double TimeUntilShown(const std::string& path, HWND logPage, std::size_t rate) {
    const std::string line = "newest line at " + std::to_string(rate);
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string text = line + "\n";
    DWORD done = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    CloseHandle(file);
    const Clock::time_point written = Clock::now();
    const std::wstring wanted = Widen(line);
    while (Clock::now() - written < kShownPatience) {
        if (ui::ControlText(logPage, IDC_LOG_VIEW).find(wanted) != std::wstring::npos) {
            return Ms(Clock::now() - written);
        }
        std::this_thread::sleep_for(kShownPoll);
    }
    return kPingTimeoutMs;
}

// Answer times in ms, kPingTimeoutMs for each question not answered in time.
std::vector<double> AskUntil(HWND window, Clock::time_point end) {
    std::vector<double> answers;
    for (Clock::time_point next = Clock::now(); next < end; next += kPingPeriod) {
        std::this_thread::sleep_until(next);
        const Clock::time_point asked = Clock::now();
        DWORD_PTR ignored = 0;
        const bool answered =
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kPingTimeoutMs, &ignored) != 0;
        answers.push_back(answered ? Ms(Clock::now() - asked) : kPingTimeoutMs);
        // After a long wait the next question goes at once, not a burst of them.
        next = std::max(next, Clock::now() - kPingPeriod);
    }
    return answers;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

std::string Rate(std::size_t bytes) {
    if (bytes == 0) {
        return "none";
    }
    return bytes >= 1024 * 1024 ? std::to_string(bytes / (1024 * 1024)) + " MiB"
                                : std::to_string(bytes / 1024) + " KiB";
}

std::string Time(double ms) {
    if (ms >= kPingTimeoutMs) {
        return ">= 5 s";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

bool RunRate(const CStandinInstall& install, std::size_t rate, std::chrono::seconds duration) {
    const std::string logPath = install.PathOf("TarnlinkLog.txt");
    DeleteFileA(logPath.c_str());
    CChildProcess panel;
    CPanelWindows windows;
    HWND logPage = nullptr;
    if (panel.Start(install.PathOf(kPanelProgram)) != 0 ||
        windows.WaitForSheet(panel.Id()) == nullptr ||
        (logPage = windows.ShowLogPage()) == nullptr) {
        std::fprintf(stderr, "log_load_bench: the control panel's Log page did not open\n");
        return false;
    }
    std::this_thread::sleep_for(1s);
    const Clock::time_point end = Clock::now() + duration;
    std::thread writer(WriteLog, logPath, rate, end);
    const std::vector<double> answers = AskUntil(windows.Sheet(), end);
    writer.join();
    const double shown = TimeUntilShown(logPath, logPage, rate);
    const auto unanswered = std::count(answers.begin(), answers.end(), kPingTimeoutMs);
    const auto slow =
        std::count_if(answers.begin(), answers.end(), [](double ms) { return ms > kSlowAnswerMs; });
    std::printf("| %s | %zu | %s | %s | %s | %zu | %s |\n", Rate(rate).c_str(),
                answers.size() - static_cast<std::size_t>(unanswered),
                Time(Percentile(answers, 0.5)).c_str(), Time(Percentile(answers, 0.99)).c_str(),
                Time(*std::max_element(answers.begin(), answers.end())).c_str(),
                static_cast<std::size_t>(slow), Time(shown).c_str());
    std::fflush(stdout);
    panel.Kill();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::chrono::seconds duration(argc > 1 ? std::atoi(argv[1]) : 12);
    CStandinInstall install;
    if (install.SetupError() != 0 || install.CopyProgram(kPanelProgram) != 0 ||
        install.CopyProgram(kInstallerProgram) != 0 ||
        RunToEnd(install.PathOf(kInstallerProgram), "-i", kInstallerPatience) != DWORD{0}) {
        std::fprintf(stderr, "log_load_bench: cannot install the programs\n");
        return 1;
    }
    std::printf("| log growth per half second | answers | median | 99th percentile | longest "
                "| over 100 ms | newest line shown after |\n|---|---|---|---|---|---|---|\n");
    for (const std::size_t rate : kRates) {
        if (!RunRate(install, rate, duration)) {
            return 1;
        }
    }
    return 0;
}
