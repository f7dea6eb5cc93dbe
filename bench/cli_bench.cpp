// Render steps per second of the batch renderer for 50,000,000 Hit Count
// steps, against the render driver called in a plain loop. The two are
// measured in turn, twice, in the same run, and each keeps its best time in
// processor seconds, so that the ratio holds on a shared, noisy machine.
#include "bench_surfaces.h"
#include "median.h"

#include "cli/batch.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

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

#ifdef ORV_PROGRAM
// Wall-clock seconds of a whole process, or a negative value when it failed.
double TimeProcess(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system((command + " >/dev/null").c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return status == 0 ? seconds : -1.0;
}

// `orvantis render` of 50,000,000 Hit Count steps, start-up and files
// included, against a process that takes the same steps as a plain loop on
// arrays. Five pairs, taken in turn; the ratio of the medians should stay
// within 1.15.
void BM_RenderProcessAgainstPlainLoop(benchmark::State& state) {
    const std::filesystem::path picture =
        std::filesystem::temp_directory_path() / "orv-cli-bench-process.tga";
    const std::string render = std::string("'") + ORV_PROGRAM +
                               "' render --method hit-count --steps " + std::to_string(kSteps) +
                               " -o '" + picture.string() + "'";
    const std::string plain = std::string("'") + ORV_PLAIN_RENDER + "' " + std::to_string(kSteps);
    std::vector<double> renderSeconds;
    std::vector<double> plainSeconds;
    for (auto _ : state) {
        for (int pair = 0; pair < 5; ++pair) {
            renderSeconds.push_back(TimeProcess(render));
            plainSeconds.push_back(TimeProcess(plain));
            if (renderSeconds.back() < 0.0 || plainSeconds.back() < 0.0) {
                state.SkipWithError("a process failed");
                return;
            }
        }
    }
    std::filesystem::remove(picture);
    std::filesystem::remove(std::filesystem::path(picture).replace_extension(".gan"));
    state.counters["render_s"] = Median(renderSeconds);
    state.counters["plain_loop_s"] = Median(plainSeconds);
    state.counters["render_vs_plain"] = Median(renderSeconds) / Median(plainSeconds);
}
BENCHMARK(BM_RenderProcessAgainstPlainLoop)->Iterations(1)->Unit(benchmark::kSecond);
#endif

} // namespace
} // namespace orv::bench
