#include "studio/poster_render.h"

#include "studio/memory.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace orv {

namespace {

std::string Size(std::uint64_t bytes) {
    char text[32];
    const double gib = static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0);
    if (gib >= 1.0) {
        std::snprintf(text, sizeof text, "%.1f GiB", gib);
    } else {
        std::snprintf(text, sizeof text, "%.0f MiB",
                      std::max(1.0, static_cast<double>(bytes) / (1024.0 * 1024.0)));
    }
    return text;
}

} // namespace

PosterGrid MakePosterGrid(const PosterRecipe& recipe) {
    const std::uint64_t needed = PosterBytes(recipe);
    const std::uint64_t available = AvailableMemory();
    if (needed > available) {
        return {std::nullopt, 0,
                "--res " + std::to_string(recipe.res) + " with --supersample " +
                    std::to_string(recipe.supersample) + " needs " + Size(needed) + " of memory; " +
                    Size(available) + " is available"};
    }
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample), recipe.method != 1,
                        CountGrid::Wide(recipe.steps));
    if (!grid) {
        return {std::nullopt, 0, "Not enough memory for the counts of a poster of this size."};
    }
    return {std::move(grid), (available - needed) / 2, {}};
}

PosterCounts RenderPoster(const PosterRecipe& recipe, unsigned threads,
                          const std::function<void(std::uint64_t)>& progress,
                          const std::atomic<bool>& stop) {
    PosterGrid made = MakePosterGrid(recipe);
    if (!made.grid) {
        return {PosterEnd::NoMemory, std::nullopt, std::move(made.error)};
    }
    const OrbitsEnd end = RenderOrbits(recipe, *made.grid, threads, made.spare, progress, stop);
    return {end == OrbitsEnd::Done ? PosterEnd::Rendered : PosterEnd::Stopped,
            std::move(made.grid),
            {}};
}

} // namespace orv
