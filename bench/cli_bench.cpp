// Render steps per second of the batch renderer for 50,000,000 Hit Count
// steps, against the render driver called in a plain loop. The two are
// measured in turn, twice, in the same run, and each keeps its best time in
// processor seconds, so that the ratio holds on a shared, noisy machine.
#include "bench_surfaces.h"

#include "cli/batch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <sstream>

namespace orv::bench {
namespace {

constexpr std::uint64_t kSteps = 50'000'000;

constexpr int kRounds = 2;

// Processor seconds used since the given clock() reading.
double Seconds(std::clock_t since) {
    return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
}

double TimeDriverLoop() {
    SetUpSurfaces();
    method[0] = 1;
    const std::clock_t start = std::clock();
    for (std::uint64_t i = 0; i < kSteps; ++i) {
        fractaldriver();
    }
    const double seconds = Seconds(start);
    TearDownSurfaces();
    return seconds;
}

// The seconds of one batch render, or a negative value when it failed.
double TimeBatch(const std::filesystem::path& directory) {
    RenderOptions options;
    options.method = 1;
    options.steps = kSteps;
    options.display = BatchDisplay::Quiet;
    options.output = (directory / "bench.tga").string();
    std::ostringstream out;
    std::ostringstream err;
    const std::clock_t start = std::clock();
    const int code = RunBatch(options, out, err, false);
    const double seconds = Seconds(start);
    return code == 0 ? seconds : -1.0;
}

void BM_BatchAgainstDriverLoop(benchmark::State& state) {
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / "orv-cli-bench";
    std::filesystem::create_directories(directory);
    double loopSeconds = 0.0;
    double batchSeconds = 0.0;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const double loop = TimeDriverLoop();
            const double batch = TimeBatch(directory);
            if (batch < 0.0) {
                state.SkipWithError("the batch render failed");
                break;
            }
            loopSeconds = round == 0 ? loop : std::min(loopSeconds, loop);
            batchSeconds = round == 0 ? batch : std::min(batchSeconds, batch);
        }
    }
    std::filesystem::remove_all(directory);
    const double steps = static_cast<double>(kSteps);
    state.counters["loop_steps_per_s"] = steps / loopSeconds;
    state.counters["batch_steps_per_s"] = steps / batchSeconds;
    state.counters["batch_vs_loop"] = loopSeconds / batchSeconds;
}
BENCHMARK(BM_BatchAgainstDriverLoop)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
