// A whole poster's counts: the grid made where memory allows, and the orbits
// rendered into it.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_orbits.h"
#include "studio/poster_recipe.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace orv {

// A zero-filled grid for a recipe and the memory the threads may use
// besides, or the message that tells why there is none.
struct PosterGrid {
    std::optional<CountGrid> grid;
    std::uint64_t spare = 0;
    std::string error;
};

// The option that gives the recipe's picture size, as the messages name it:
// "--res 600" or "--size 1920x1080".
std::string PictureSize(const PosterRecipe& recipe);

// The grid of the recipe, when the memory it needs is there; half of what is
// left may go to the threads' own grids.
PosterGrid MakePosterGrid(const PosterRecipe& recipe);

enum class PosterEnd {
    Rendered, // every orbit counted
    Stopped,  // the caller's flag ended the orbits; the grid holds part of the counts
    NoMemory, // no grid; error tells why
};

struct PosterCounts {
    PosterEnd end = PosterEnd::Rendered;
    std::optional<CountGrid> grid;
    std::string error;
};

// Renders the recipe's orbits on the given number of threads. progress is
// called on the calling thread about ten times a second with the steps done
// so far; once stop is set the threads end at their next report.
PosterCounts RenderPoster(const PosterRecipe& recipe, unsigned threads,
                          const std::function<void(std::uint64_t)>& progress,
                          const std::atomic<bool>& stop);

} // namespace orv
