// Candidates per second of `orvantis explore` (a search with its thumbnail
// and shape measure, and the search alone), and frames per second of a
// small `orvantis animate`, each on one thread and on every core. Each case
// keeps its best wall-clock time of two rounds taken in turn in the same
// run, so that the ratios hold on a shared, noisy machine.
#include "analysis/search.h"
#include "analysis/workers.h"
#include "cli/animate.h"
#include "cli/explore.h"
#include "files/gan.h"
#include "palette/palette.h"
#include "render/state.h"
#include "studio/explore_shape.h"
#include "studio/poster_orbits.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace orv::bench {
namespace {

constexpr int kCandidates = 24;
constexpr int kRounds = 2;

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The thumbnail of explore's defaults: side 256, 400000 steps on 8 orbits.
PosterRecipe Thumbnail() {
    PosterRecipe recipe;
    recipe.type = 1;
    recipe.param = pdef[1];
    recipe.view = mmdef[1];
    recipe.res = 256;
    recipe.method = 1;
    recipe.filter = BatchFilter::Log;
    std::copy(std::begin(defpal1), std::end(defpal1), recipe.palette.begin());
    recipe.steps = 400'000;
    recipe.orbits = 8;
    return recipe;
}

double TimeCandidates(bool withThumbnail, int threads) {
    const PosterRecipe base = Thumbnail();
    KernelInputs inputs;
    inputs.type = base.type;
    inputs.param = base.param;
    SetWorkerLimit(threads);
    const auto start = std::chrono::steady_clock::now();
    ParallelFor(kCandidates, [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const std::optional<ChaoticSet> set =
                SearchChaotic(inputs, SearchSeed(1, static_cast<std::uint64_t>(i)));
            if (!set || !withThumbnail) {
                continue;
            }
            PosterRecipe recipe = base;
            recipe.param = set->param;
            std::optional<CountGrid> grid = CountGrid::Make(256, false);
            RenderOrbits(
                recipe, *grid, 1, 0, [](std::uint64_t) {}, kNeverStop);
            benchmark::DoNotOptimize(MeasureShape(*grid));
        }
    });
    return Since(start);
}

void BM_ExploreCandidates(benchmark::State& state) {
    const int cores = static_cast<int>(DefaultThreads());
    double best[2][2] = {{1e300, 1e300}, {1e300, 1e300}}; // [thumbnail][one thread, all]
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (int thumbnail = 0; thumbnail < 2; ++thumbnail) {
                for (int all = 0; all < 2; ++all) {
                    best[thumbnail][all] =
                        std::min(best[thumbnail][all], TimeCandidates(thumbnail, all ? cores : 1));
                }
            }
        }
    }
    state.counters["cores"] = cores;
    state.counters["search_1thread_per_s"] = kCandidates / best[0][0];
    state.counters["search_all_per_s"] = kCandidates / best[0][1];
    state.counters["candidate_1thread_per_s"] = kCandidates / best[1][0];
    state.counters["candidate_all_per_s"] = kCandidates / best[1][1];
    state.counters["candidate_speedup"] = best[1][0] / best[1][1];
}
BENCHMARK(BM_ExploreCandidates)->Iterations(1)->Unit(benchmark::kSecond);

// Eight frames of a turn at side 200, 500000 steps each, logarithmic filter.
double TimeAnimation(const std::filesystem::path& directory, unsigned threads) {
    std::filesystem::remove_all(directory / "frames");
    AnimateCommandLine line = ParseAnimateOptions({"--gan",
                                                   (directory / "a.gan").string(),
                                                   "--turn",
                                                   "y",
                                                   "--frames",
                                                   "8",
                                                   "--res",
                                                   "200",
                                                   "--steps",
                                                   "500000",
                                                   "--orbits",
                                                   "8",
                                                   "--method",
                                                   "hit-count",
                                                   "--filter",
                                                   "log",
                                                   "--threads",
                                                   std::to_string(threads),
                                                   "--quiet",
                                                   "-o",
                                                   (directory / "frames").string()});
    std::ostringstream out;
    std::ostringstream err;
    const auto start = std::chrono::steady_clock::now();
    const int code = RunAnimate(line.options, out, err, false);
    return code == 0 ? Since(start) : -1.0;
}

void BM_AnimateFrames(benchmark::State& state) {
    const unsigned cores = DefaultThreads();
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / "orv-animate-bench";
    std::filesystem::create_directories(directory);
    unsigned char bytes[kGanBytes];
    EncodeGan(GanRecord(1, pdef[1], VOXEL{}), bytes);
    std::ofstream(directory / "a.gan", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes), kGanBytes);
    double best[2] = {1e300, 1e300};
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (int all = 0; all < 2; ++all) {
                const double seconds = TimeAnimation(directory, all ? cores : 1);
                if (seconds < 0.0) {
                    state.SkipWithError("the animation failed");
                    return;
                }
                best[all] = std::min(best[all], seconds);
            }
        }
    }
    std::filesystem::remove_all(directory);
    state.counters["cores"] = cores;
    state.counters["frames_1thread_per_s"] = 8.0 / best[0];
    state.counters["frames_all_per_s"] = 8.0 / best[1];
    state.counters["speedup"] = best[0] / best[1];
}
BENCHMARK(BM_AnimateFrames)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
