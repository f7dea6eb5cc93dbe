// Render steps per second of the batch renderer for 50,000,000 Hit Count
// steps, against the render driver called in a plain loop, measured in turn
// in the same run so that the ratio holds on a noisy machine.
#include "bench_surfaces.h"

#include "cli/batch.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <sstream>

namespace orv::bench {
namespace {

constexpr std::uint64_t kSteps = 50'000'000;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double TimeDriverLoop() {
    SetUpSurfaces();
    method[0] = 1;
    const auto start = std::chrono::steady_clock::now();
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
    const auto start = std::chrono::steady_clock::now();
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
        loopSeconds += TimeDriverLoop();
        const double seconds = TimeBatch(directory);
        if (seconds < 0.0) {
            state.SkipWithError("the batch render failed");
            break;
        }
        batchSeconds += seconds;
    }
    std::filesystem::remove_all(directory);
    const double steps = static_cast<double>(kSteps) * static_cast<double>(state.iterations());
    state.counters["loop_steps_per_s"] = steps / loopSeconds;
    state.counters["batch_steps_per_s"] = steps / batchSeconds;
    state.counters["batch_vs_loop"] = loopSeconds / batchSeconds;
}
BENCHMARK(BM_BatchAgainstDriverLoop)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
