// The recipe of what the desktop program's engine holds.
#pragma once

#include "studio/command_line.h"
#include "studio/poster_recipe.h"

namespace orv {

// The recipe of the desktop program's render state, with the filter and
// steps of the options: what `render` made.
PosterRecipe RecipeFromState(const RenderOptions& options);

} // namespace orv
