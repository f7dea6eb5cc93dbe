// Steps per second of the poster's orbits on one thread, exact and on each
// vector path the processor has, and on every core, at the start size and at
// 4000 pixels, where the counting buffer no longer fits any cache; a whole
// one-thread poster against a whole render of as many steps; and the memory a
// poster needs per output pixel. Each case keeps its best times of two rounds
// taken in turn in the same run. On a shared machine the wall-clock speed-up
// says little; processor time does: steps per processor second is the rate
// of one core, and the processor time on one thread over that on every core
// is how much of the ideal speed-up the threads keep (1.0: none lost), with
// the threads sharing one grid through atomic additions, and with a grid
// each.
#include "analysis/workers.h"
#include "cli/batch.h"
#include "cli/poster.h"
#include "palette/palette.h"
#include "render/state.h"
#include "studio/lane_isa.h"
#include "studio/poster_orbits.h"

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

constexpr std::uint64_t kSteps = 40'000'000;
constexpr int kRounds = 2;

PosterRecipe Recipe(long side, OrbitArithmetic arithmetic = OrbitArithmetic::Lanes) {
    PosterRecipe recipe;
    recipe.param = pdef[0];
    recipe.view = mmdef[0];
    recipe.res = side;
    recipe.method = 1;
    std::copy(std::begin(defpal1), std::end(defpal1), recipe.palette.begin());
    recipe.steps = kSteps;
    recipe.orbits = 64;
    recipe.arithmetic = arithmetic;
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

// One thread's orbits, exact or on the vector path ORVANTIS_ISA names (none:
// the widest).
bool TimeOnePath(const PosterRecipe& recipe, const char* path, Times& best) {
    if (path != nullptr) {
        setenv("ORVANTIS_ISA", path, 1);
    }
    const bool timed = TimeOrbits(recipe, 1, 0, best);
    unsetenv("ORVANTIS_ISA");
    return timed;
}

void BM_PosterOrbits(benchmark::State& state) {
    const unsigned cores = DefaultThreads();
    std::vector<const char*> paths;
    for (const LaneIsa isa : {LaneIsa::Scalar, LaneIsa::Sse2, LaneIsa::Avx2, LaneIsa::Avx512}) {
        if (HasLaneIsa(isa)) {
            paths.push_back(LaneIsaName(isa));
        }
    }
    // [res 600, res 4000][one thread exact, one thread on each path, every
    // core on one shared grid, every core on grids of their own]
    std::vector<Times> best[2];
    const std::uint64_t plenty = std::uint64_t{1} << 40;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (int size = 0; size < 2; ++size) {
                const long side = size == 0 ? 600 : 4000;
                best[size].resize(paths.size() + 3);
                bool timed = TimeOrbits(Recipe(side, OrbitArithmetic::Exact), 1, 0, best[size][0]);
                for (std::size_t path = 0; path < paths.size(); ++path) {
                    timed = timed && TimeOnePath(Recipe(side), paths[path], best[size][path + 1]);
                }
                timed = timed && TimeOrbits(Recipe(side), cores, 0, best[size][paths.size() + 1]);
                timed =
                    timed && TimeOrbits(Recipe(side), cores, plenty, best[size][paths.size() + 2]);
                if (!timed) {
                    state.SkipWithError("no memory for the counts");
                    return;
                }
            }
        }
    }
    const double steps = static_cast<double>(kSteps);
    state.counters["cores"] = cores;
    for (int size = 0; size < 2; ++size) {
        const std::string name = size == 0 ? "res600_" : "res4000_";
        const std::vector<Times>& times = best[size];
        const double exact = times[0].processor;
        state.counters[name + "exact_steps_per_core_s"] = steps / exact;
        for (std::size_t path = 0; path < paths.size(); ++path) {
            const double seconds = times[path + 1].processor;
            state.counters[name + paths[path] + "_steps_per_core_s"] = steps / seconds;
            state.counters[name + paths[path] + "_vs_exact"] = exact / seconds;
        }
        // The widest path on one thread against every core.
        const double one = times[paths.size()].processor;
        const double wall = times[paths.size()].wall;
        state.counters[name + "shared_kept"] = one / times[paths.size() + 1].processor;
        state.counters[name + "own_kept"] = one / times[paths.size() + 2].processor;
        state.counters[name + "own_wall_speedup"] = wall / times[paths.size() + 2].wall;
    }
}
BENCHMARK(BM_PosterOrbits)->Iterations(1)->Unit(benchmark::kSecond);

// Processor seconds of a whole command, or a negative value when it failed.
template <typename Run> double TimeCommand(Run run) {
    std::ostringstream out;
    std::ostringstream err;
    const std::clock_t start = std::clock();
    const int code = run(out, err);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    return code == 0 ? seconds : -1.0;
}

// A one-thread poster of 100,000,000 Hit Count steps at the start size on
// the widest path, against render of as many steps: the poster's aim is at
// most half of render's time.
void BM_OneThreadPosterAgainstRender(benchmark::State& state) {
    constexpr std::uint64_t kCommandSteps = 100'000'000;
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / "orv-poster-bench";
    std::filesystem::create_directories(directory);
    RenderOptions render;
    render.method = 1;
    render.steps = kCommandSteps;
    render.display = BatchDisplay::Quiet;
    render.output = (directory / "render.png").string();
    PosterOptions poster;
    poster.picture = render;
    poster.picture.command = "poster";
    poster.picture.output = (directory / "poster.png").string();
    poster.threads = 1;
    double renderSeconds = 1e300;
    double posterSeconds = 1e300;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const double one = TimeCommand([&](std::ostream& out, std::ostream& err) {
                return RunBatch(render, out, err, false);
            });
            const double other = TimeCommand([&](std::ostream& out, std::ostream& err) {
                return RunPoster(poster, out, err, false);
            });
            if (one < 0.0 || other < 0.0) {
                state.SkipWithError("a command failed");
                break;
            }
            renderSeconds = std::min(renderSeconds, one);
            posterSeconds = std::min(posterSeconds, other);
        }
    }
    std::filesystem::remove_all(directory);
    state.counters["render_s"] = renderSeconds;
    state.counters["poster_s"] = posterSeconds;
    state.counters["poster_vs_render"] = posterSeconds / renderSeconds;
}
BENCHMARK(BM_OneThreadPosterAgainstRender)->Iterations(1)->Unit(benchmark::kSecond);

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
