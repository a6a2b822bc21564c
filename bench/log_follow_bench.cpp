// How the Log page's follower copes with a busy service: one refresh that takes
// the most it ever takes (2 MiB of new log), a service writing 1 MiB between
// every two ticks for a long time, where the view must stay at its bound, and the
// quiet ticks of a log that does not change. Each reports the files it opened per
// tick, the cost that matters on Windows.
#include "panel/log_dlg_follower.h"
#include "tests/panel/fake_log.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <utility>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// Log lines of a realistic shape, repeated to any length.
std::string LogBlock(std::size_t bytes) {
    std::string block;
    for (int n = 0; block.size() < bytes; ++n) {
        block += "2024-05-01 12:00:00 connection " + std::to_string(n) +
                 " from 10.0.0.17 redirected to vpn.example\n";
    }
    block.resize(bytes);
    block.back() = '\n';
    return block;
}

// A log of any size whose bytes repeat one block, so memory stays that of the block.
class RepeatingLog : public FakeLogFiles {
public:
    RepeatingLog(std::string block, std::uint64_t size) {
        filler = std::move(block);
        Place(kPath, size, "");
    }

    void Grow(std::uint64_t bytes) { files.at(kPath)->size += bytes; }
    std::uint64_t Size() const { return files.at(kPath)->size; }
    std::int64_t Opens() const { return sizeOpens + readOpens; }

private:
    // The follower's path until it is initialised, which the benchmarks skip.
    static constexpr const char* kPath = "";
};

// Resident memory of the process in MiB (Linux).
double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0;
    double resident = 0;
    statm >> pages >> resident;
    return resident * 4096.0 / static_cast<double>(kMiB);
}

void BM_RefreshTwoMiBOfNewLog(benchmark::State& state) {
    RepeatingLog log(LogBlock(kMiB), CLogFollower::kMaxNewBytes);
    for (auto _ : state) {
        FakeLogView view;
        CLogFollower follower(view, view, log, "", "");
        follower.Refresh();
        benchmark::DoNotOptimize(view.text.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(CLogFollower::kMaxNewBytes));
}
BENCHMARK(BM_RefreshTwoMiBOfNewLog)->Unit(benchmark::kMillisecond);

void BM_OneMiBPerTickForLong(benchmark::State& state) {
    RepeatingLog log(LogBlock(kMiB + 4099), 0); // not a divisor: ticks end mid-line
    FakeLogView view;
    CLogFollower follower(view, view, log, "", "");
    // Memory is measured once the view has reached its bound and again at the end:
    // the two must match however long the service logs.
    constexpr std::int64_t kWarmTicks = 50;
    double residentWarm = 0;
    for (auto _ : state) {
        log.Grow(kMiB);
        follower.Refresh();
        if (static_cast<std::int64_t>(log.Size() / kMiB) == kWarmTicks) {
            residentWarm = ResidentMiB();
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kMiB));
    state.counters["view_Mchars_max"] = static_cast<double>(view.largest) / kMiB;
    state.counters["view_Mchars_bound"] = static_cast<double>(CLogFollower::kViewTextBound) / kMiB;
    state.counters["rss_MiB_warm"] = residentWarm;
    state.counters["rss_MiB_end"] = ResidentMiB();
    state.counters["opens_per_tick"] =
        static_cast<double>(log.Opens() - 1) / static_cast<double>(state.iterations());
    state.counters["name_queries_per_tick"] =
        static_cast<double>(log.nameQueries) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OneMiBPerTickForLong)->Iterations(2000)->Unit(benchmark::kMillisecond);

void BM_QuietTick(benchmark::State& state) {
    RepeatingLog log(LogBlock(kMiB), kMiB);
    FakeLogView view;
    CLogFollower follower(view, view, log, "", "");
    follower.Refresh();
    const std::int64_t opensBefore = log.Opens();
    const std::int64_t queriesBefore = log.nameQueries;
    for (auto _ : state) {
        follower.Refresh();
    }
    state.counters["opens_per_tick"] =
        static_cast<double>(log.Opens() - opensBefore) / static_cast<double>(state.iterations());
    state.counters["name_queries_per_tick"] = static_cast<double>(log.nameQueries - queriesBefore) /
                                              static_cast<double>(state.iterations());
}
BENCHMARK(BM_QuietTick);

} // namespace
