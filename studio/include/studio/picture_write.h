// A poster picture from counts already made, into a save already open: what
// explore and animate write for each of their pictures.
#pragma once

#include "files/safe_file.h"
#include "studio/poster_grid.h"
#include "studio/poster_orbits.h"
#include "studio/poster_recipe.h"

#include <atomic>
#include <cstdint>
#include <optional>

namespace orv {

// Colours the counts on the calling thread and writes the PNG with the
// recipe. scale is the filter's, as PosterColouring takes it. False when
// the memory or the write failed.
bool WritePicture(const PosterRecipe& recipe, const CountGrid& grid, PixelCount scale,
                  SafeFile& file);

// The grid of the recipe, rendered on one thread; nothing when there is no
// memory for it, or when stop was set before the orbits were done.
std::optional<CountGrid> RenderGrid(const PosterRecipe& recipe,
                                    const std::atomic<bool>& stop = kNeverStop);

} // namespace orv
