// Steps per second of the poster's orbits on one thread and on every core,
// at the start size and at 4000 pixels, where the counting buffer no longer
// fits any cache; and the memory a poster needs per output pixel. Each case
// keeps its best times of two rounds taken in turn in the same run. On a
// shared machine the wall-clock speed-up says little; processor time does:
// steps per processor second is the rate of one core, and the processor time
// on one thread over that on every core is how much of the ideal speed-up the
// threads keep (1.0: none lost), with the threads sharing one grid through
// atomic additions, and with a grid each.
#include "analysis/workers.h"
#include "cli/poster.h"
#include "palette/palette.h"
#include "render/state.h"
#include "studio/poster_orbits.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>

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

struct Times {
    double wall = 1e300;
    double processor = 1e300;
};

// The times of the orbits of a recipe; false when the grid could not be had.
bool TimeOrbits(const PosterRecipe& recipe, unsigned threads, std::uint64_t spare, Times& best) {
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample), recipe.method != 1);
    if (!grid) {
        return false;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t processor = std::clock();
    RenderOrbits(
        recipe, *grid, threads, spare, [](std::uint64_t) {}, kNeverStop);
    best.processor =
        std::min(best.processor, static_cast<double>(std::clock() - processor) / CLOCKS_PER_SEC);
    best.wall = std::min(
        best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return true;
}

void BM_PosterOrbits(benchmark::State& state) {
    const unsigned cores = DefaultThreads();
    const PosterRecipe small = Recipe(600);
    const PosterRecipe large = Recipe(4000);
    // [res 600, res 4000][one thread, every core on one shared grid, every
    // core on grids of their own]
    Times best[2][3];
    const std::uint64_t plenty = std::uint64_t{1} << 40;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (int size = 0; size < 2; ++size) {
                for (int mode = 0; mode < 3; ++mode) {
                    if (!TimeOrbits(size == 0 ? small : large, mode == 0 ? 1 : cores,
                                    mode == 2 ? plenty : 0, best[size][mode])) {
                        state.SkipWithError("no memory for the counts");
                        return;
                    }
                }
            }
        }
    }
    const double steps = static_cast<double>(kSteps);
    state.counters["cores"] = cores;
    for (int size = 0; size < 2; ++size) {
        const std::string name = size == 0 ? "res600_" : "res4000_";
        state.counters[name + "steps_per_core_s"] = steps / best[size][0].processor;
        state.counters[name + "shared_kept"] = best[size][0].processor / best[size][1].processor;
        state.counters[name + "own_kept"] = best[size][0].processor / best[size][2].processor;
        state.counters[name + "own_wall_speedup"] = best[size][0].wall / best[size][2].wall;
    }
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
