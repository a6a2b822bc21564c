// Loading and saving rule lists of growing length through the settings file.
#include "config/rules.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

namespace {

class BenchFolder {
public:
    BenchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("tarn-rules-bench-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string Settings() const { return (path_ / "Settings.ini").string(); }

private:
    std::filesystem::path path_;
};

CRules MakeRules(std::int64_t count) {
    CRules rules;
    for (std::int64_t k = 0; k < count; ++k) {
        CRule rule;
        rule.Name = "Branch office " + std::to_string(k);
        rule.Enable = k % 3 != 0;
        rule.SrcFirstIp = 0xC0A80001U + static_cast<std::uint32_t>(k) * 256U;
        rule.SrcLastIp = rule.SrcFirstIp + 200U;
        rule.TargetAddress = "vpn" + std::to_string(k) + ".example.com";
        rules.push_back(rule);
    }
    return rules;
}

void BM_Load(benchmark::State& state) {
    const BenchFolder folder;
    MakeRules(state.range(0)).Save(folder.Settings());
    for (auto _ : state) {
        CRules rules;
        rules.Load(folder.Settings());
        benchmark::DoNotOptimize(rules.data());
    }
}

// The usual case: saving over the file that holds the same list.
void BM_SaveOverExisting(benchmark::State& state) {
    const BenchFolder folder;
    const CRules rules = MakeRules(state.range(0));
    rules.Save(folder.Settings());
    for (auto _ : state) {
        benchmark::DoNotOptimize(rules.Save(folder.Settings()));
    }
}

// The first save, which builds the file section by section.
void BM_SaveNewFile(benchmark::State& state) {
    const BenchFolder folder;
    const CRules rules = MakeRules(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(folder.Settings());
        state.ResumeTiming();
        benchmark::DoNotOptimize(rules.Save(folder.Settings()));
    }
}

BENCHMARK(BM_Load)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveOverExisting)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveNewFile)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
