// How the Log page's follower copes with a busy service: one refresh that takes
// the most it ever takes (2 MiB of new log), a service writing 1 MiB between
// every two ticks for a long time, where the view must stay at its bound, and the
// quiet ticks of a log that does not change. Each reports the files it opened per
// tick, the cost that matters on Windows.
#include "panel/log_follower.h"
#include "tests/panel/fake_log.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

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
class RepeatingLog : public ILogFileSystem {
public:
    explicit RepeatingLog(std::string block) : m_block(std::move(block)) {}

    std::uint64_t size = 0;
    std::int64_t opens = 0;
    std::int64_t nameQueries = 0;

    std::unique_ptr<ILogSizeHandle> OpenForSizeQueries(const std::string&) override {
        ++opens;
        return std::make_unique<SizeHandle>(*this);
    }
    std::optional<LogFileStamp> StampAt(const std::string&) override {
        ++nameQueries;
        return LogFileStamp{size, size};
    }
    std::unique_ptr<ILogReader> OpenForReading(const std::string&) override {
        ++opens;
        return std::make_unique<Reader>(*this);
    }

private:
    class SizeHandle : public ILogSizeHandle {
    public:
        explicit SizeHandle(RepeatingLog& log) : m_log(log) {}
        std::optional<LogFileState> Query() override {
            return LogFileState{{m_log.size, m_log.size}, {1, 1}};
        }

    private:
        RepeatingLog& m_log;
    };

    class Reader : public ILogReader {
    public:
        explicit Reader(RepeatingLog& log) : m_log(log) {}
        bool Seek(std::uint64_t offset) override {
            m_position = offset;
            return true;
        }
        std::size_t Read(char* buffer, std::size_t count) override {
            const std::string& block = m_log.m_block;
            std::size_t done = 0;
            while (done < count && m_position < m_log.size) {
                const auto from = static_cast<std::size_t>(m_position % block.size());
                const std::size_t n = std::min(count - done, block.size() - from);
                block.copy(buffer + done, n, from);
                done += n;
                m_position += n;
            }
            return done;
        }

    private:
        RepeatingLog& m_log;
        std::uint64_t m_position = 0;
    };

    std::string m_block;
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
    RepeatingLog log(LogBlock(kMiB));
    log.size = CLogFollower::kMaxNewBytes;
    for (auto _ : state) {
        FakeLogView view;
        CLogFollower follower(view, log, "", "");
        follower.Refresh();
        benchmark::DoNotOptimize(view.text.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(CLogFollower::kMaxNewBytes));
}
BENCHMARK(BM_RefreshTwoMiBOfNewLog)->Unit(benchmark::kMillisecond);

void BM_OneMiBPerTickForLong(benchmark::State& state) {
    RepeatingLog log(LogBlock(kMiB + 4099)); // not a divisor: ticks end mid-line
    FakeLogView view;
    CLogFollower follower(view, log, "", "");
    // Memory is measured once the view has reached its bound and again at the end:
    // the two must match however long the service logs.
    constexpr std::int64_t kWarmTicks = 50;
    double residentWarm = 0;
    for (auto _ : state) {
        log.size += kMiB;
        follower.Refresh();
        if (static_cast<std::int64_t>(log.size / kMiB) == kWarmTicks) {
            residentWarm = ResidentMiB();
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kMiB));
    state.counters["view_Mchars_max"] = static_cast<double>(view.largest) / kMiB;
    state.counters["view_Mchars_bound"] = static_cast<double>(CLogFollower::kViewTextBound) / kMiB;
    state.counters["rss_MiB_warm"] = residentWarm;
    state.counters["rss_MiB_end"] = ResidentMiB();
    state.counters["opens_per_tick"] =
        static_cast<double>(log.opens - 1) / static_cast<double>(state.iterations());
    state.counters["name_queries_per_tick"] =
        static_cast<double>(log.nameQueries) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_OneMiBPerTickForLong)->Iterations(2000)->Unit(benchmark::kMillisecond);

void BM_QuietTick(benchmark::State& state) {
    RepeatingLog log(LogBlock(kMiB));
    log.size = kMiB;
    FakeLogView view;
    CLogFollower follower(view, log, "", "");
    follower.Refresh();
    const std::int64_t opensBefore = log.opens;
    const std::int64_t queriesBefore = log.nameQueries;
    for (auto _ : state) {
        follower.Refresh();
    }
    state.counters["opens_per_tick"] =
        static_cast<double>(log.opens - opensBefore) / static_cast<double>(state.iterations());
    state.counters["name_queries_per_tick"] = static_cast<double>(log.nameQueries - queriesBefore) /
                                              static_cast<double>(state.iterations());
}
BENCHMARK(BM_QuietTick);

} // namespace
