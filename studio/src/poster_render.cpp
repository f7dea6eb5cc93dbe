#include "studio/poster_render.h"

#include "studio/memory.h"

#include <utility>

namespace orv {

std::string PictureSize(const PosterRecipe& recipe) {
    if (recipe.height > 0) {
        return "--size " + std::to_string(recipe.res) + "x" + std::to_string(recipe.height);
    }
    return "--res " + std::to_string(recipe.res);
}

PosterGrid MakePosterGrid(const PosterRecipe& recipe) {
    const std::uint64_t needed = PosterBytes(recipe);
    const std::uint64_t available = AvailableMemory();
    if (needed > available) {
        return {std::nullopt, 0, MemoryRefusal(recipe, needed, available)};
    }
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample),
                        static_cast<int>(recipe.rows() * recipe.supersample), recipe.method != 1,
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
