// A poster's files from its counts: the picture as PNG with its recipe and,
// when asked for, the counts as OpenEXR.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

// Colours the counts on up to threads threads and writes the picture (and the
// counts when countsPath is given) under their names, or neither. Returns
// nothing when both were saved, otherwise the messages that tell why, in
// the order they arose.
std::vector<std::string> SavePoster(const PosterRecipe& recipe, const CountGrid& grid,
                                    unsigned threads, const std::string& picturePath,
                                    const std::optional<std::string>& countsPath);

} // namespace orv
