// The log-density tone map and density estimation of a 12000 x 12000 fine
// grid (a 3000-pixel poster at supersample 4) against the time the orbits of
// a poster of a billion steps take on every core. The rate of the orbits is
// measured at 20 million steps and extrapolated; the grid's counts are those
// of the 20 million steps times 50, the densities of a billion. Colouring
// runs on one thread, the orbits on every core: each share is an upper bound.
// de5_sparse_s is the whole colouring with --de 5 of the 20 million steps
// themselves, where nearly every hit is spread. Besides: the noise density
// estimation removes from a thin attractor, without it and with it.
#include "analysis/workers.h"
#include "palette/palette.h"
#include "render/defaults.h"
#include "studio/density_estimate.h"
#include "studio/poster_colour.h"
#include "studio/poster_orbits.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace orv::bench {
namespace {

constexpr std::uint64_t kMeasured = 20'000'000;
constexpr double kPosterSteps = 1e9;

PosterRecipe Recipe(long res, int supersample, std::uint64_t steps) {
    PosterRecipe recipe;
    recipe.type = 1;
    recipe.param = pdef[1];
    recipe.view = mmdef[1];
    recipe.res = res;
    recipe.supersample = supersample;
    recipe.method = 1;
    std::copy(std::begin(defpal1), std::end(defpal1), recipe.palette.begin());
    recipe.steps = steps;
    recipe.orbits = 64;
    recipe.tone = ToneSettings{};
    return recipe;
}

template <typename Work> double Seconds(const Work& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Colouring(const PosterRecipe& recipe, const CountGrid& grid) {
    return Seconds([&] {
        const PosterColouring colouring(recipe, grid);
        std::vector<std::uint16_t> row(3 * static_cast<std::size_t>(recipe.res));
        for (long y = 0; y < recipe.res; ++y) {
            colouring.row(y, row.data());
        }
        benchmark::DoNotOptimize(row.data());
    });
}

void BM_ToneAndDensityOfA12000Grid(benchmark::State& state) {
    PosterRecipe recipe = Recipe(3000, 4, kMeasured);
    std::optional<CountGrid> grid = CountGrid::Make(12000, false);
    if (!grid) {
        state.SkipWithError("no memory for the counts");
        return;
    }
    for (auto _ : state) {
        const double orbits = Seconds([&] {
            RenderOrbits(
                recipe, *grid, DefaultThreads(), 0, [](std::uint64_t) {}, kNeverStop);
        });
        const double poster = orbits * kPosterSteps / static_cast<double>(kMeasured);
        recipe.tone->de = 5;
        const double sparse = Colouring(recipe, *grid);
        recipe.tone->de = 0;
        for (std::size_t i = 0; i < grid->pixels(); ++i) {
            grid->counts()[i] *= 50;
        }
        recipe.steps = static_cast<std::uint64_t>(kPosterSteps);
        const double tone = Colouring(recipe, *grid);
        recipe.tone->de = 5;
        const double estimated = Colouring(recipe, *grid);
        recipe.tone->de = 20;
        const double widest = Colouring(recipe, *grid);
        state.counters["poster_1e9_s"] = poster;
        state.counters["tone_s"] = tone;
        state.counters["tone_share"] = tone / poster;
        state.counters["de5_s"] = estimated - tone;
        state.counters["de5_share"] = (estimated - tone) / poster;
        state.counters["de5_sparse_s"] = sparse;
        state.counters["de20_share"] = (widest - tone) / poster;
    }
}
BENCHMARK(BM_ToneAndDensityOfA12000Grid)->Iterations(1)->Unit(benchmark::kSecond);

// The noise of a render's fine densities: their root mean square deviation
// from those of a render fifty times longer (scaled down), over the pixels
// where the longer render expects 1 to 4 hits, relative to the mean there.
double Noise(const CountGrid& shortGrid, const CountGrid& longGrid, int radius) {
    std::vector<double> density(shortGrid.pixels());
    if (radius > 0) {
        DensityEstimate(radius).rows(shortGrid, 0, shortGrid.height(), density.data(), nullptr);
    } else {
        std::copy(shortGrid.counts(), shortGrid.counts() + shortGrid.pixels(), density.begin());
    }
    double squares = 0.0;
    double sum = 0.0;
    double pixels = 0.0;
    for (std::size_t i = 0; i < density.size(); ++i) {
        const double expected = longGrid.counts()[i] / 50.0;
        if (expected >= 1.0 && expected <= 4.0) {
            squares += (density[i] - expected) * (density[i] - expected);
            sum += expected;
            ++pixels;
        }
    }
    return std::sqrt(squares / pixels) / (sum / pixels);
}

// A thin "Alpha" attractor, a 400-pixel poster of a million steps.
void BM_NoiseOfAThinAttractor(benchmark::State& state) {
    const PosterRecipe shortRecipe = Recipe(400, 1, 1'000'000);
    const PosterRecipe longRecipe = Recipe(400, 1, 50'000'000);
    std::optional<CountGrid> shortGrid = CountGrid::Make(400, false);
    std::optional<CountGrid> longGrid = CountGrid::Make(400, false);
    RenderOrbits(
        shortRecipe, *shortGrid, DefaultThreads(), 0, [](std::uint64_t) {}, kNeverStop);
    RenderOrbits(
        longRecipe, *longGrid, DefaultThreads(), 0, [](std::uint64_t) {}, kNeverStop);
    for (auto _ : state) {
        state.counters["noise_plain"] = Noise(*shortGrid, *longGrid, 0);
        state.counters["noise_de3"] = Noise(*shortGrid, *longGrid, 3);
        state.counters["noise_de6"] = Noise(*shortGrid, *longGrid, 6);
        state.counters["noise_de10"] = Noise(*shortGrid, *longGrid, 10);
    }
}
BENCHMARK(BM_NoiseOfAThinAttractor)->Iterations(1);

} // namespace
} // namespace orv::bench
