// Steps per second of the poster's orbits on one thread and on every core,
// at the start size and at 4000 pixels, where the counting buffer no longer
// fits any cache; and the memory a poster needs per output pixel. Each case
// keeps its best wall-clock time of two rounds taken in turn in the same run,
// so that the ratios hold on a shared, noisy machine.
#include "cli/poster.h"
#include "cli/poster_orbits.h"
#include "palette/palette.h"
#include "render/state.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace orv::bench {
namespace {

constexpr std::uint64_t kSteps = 40'000'000;
constexpr int kRounds = 2;

PosterRecipe Recipe(long side) {
    PosterRecipe recipe;
    recipe.param = pdef[0];
    recipe.view = mmdef[0];
    recipe.res = side;
    recipe.method = 1;
    std::copy(std::begin(defpal1), std::end(defpal1), recipe.palette.begin());
    recipe.steps = kSteps;
    recipe.orbits = 64;
    return recipe;
}

// Wall-clock seconds of the orbits of a recipe, or a negative value when the
// grid could not be had.
double TimeOrbits(const PosterRecipe& recipe, unsigned threads) {
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample), recipe.method != 1);
    if (!grid) {
        return -1.0;
    }
    const auto start = std::chrono::steady_clock::now();
    RenderOrbits(recipe, *grid, threads, [](std::uint64_t) {});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_PosterOrbits(benchmark::State& state) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const PosterRecipe small = Recipe(600);
    const PosterRecipe large = Recipe(4000);
    double best[2][2] = {{1e300, 1e300}, {1e300, 1e300}}; // [size][one thread, all]
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (int size = 0; size < 2; ++size) {
                for (int all = 0; all < 2; ++all) {
                    const double seconds = TimeOrbits(size == 0 ? small : large, all ? cores : 1);
                    if (seconds < 0.0) {
                        state.SkipWithError("no memory for the counts");
                        return;
                    }
                    best[size][all] = std::min(best[size][all], seconds);
                }
            }
        }
    }
    const double steps = static_cast<double>(kSteps);
    state.counters["cores"] = cores;
    state.counters["res600_1thread_steps_per_s"] = steps / best[0][0];
    state.counters["res600_all_steps_per_s"] = steps / best[0][1];
    state.counters["res600_speedup"] = best[0][0] / best[0][1];
    state.counters["res4000_1thread_steps_per_s"] = steps / best[1][0];
    state.counters["res4000_all_steps_per_s"] = steps / best[1][1];
    state.counters["res4000_speedup"] = best[1][0] / best[1][1];
    state.counters["res4000_vs_res600_1thread"] = best[0][0] / best[1][0];
}
BENCHMARK(BM_PosterOrbits)->Iterations(1)->Unit(benchmark::kSecond);

// Bytes of memory per output pixel for each colouring and supersampling.
void BM_PosterBytesPerPixel(benchmark::State& state) {
    PosterRecipe recipe = Recipe(4000);
    recipe.method = static_cast<int>(state.range(0));
    recipe.supersample = static_cast<int>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(PosterBytes(recipe));
    }
    state.counters["bytes_per_pixel"] =
        static_cast<double>(PosterBytes(recipe)) / (4000.0 * 4000.0);
}
BENCHMARK(BM_PosterBytesPerPixel)
    ->ArgNames({"method", "supersample"})
    ->ArgsProduct({{1, 0}, {1, 2, 4}})
    ->Iterations(1);

} // namespace
} // namespace orv::bench
