#include "cli/poster_state.h"

#include "palette/palette.h"
#include "render/state.h"

#include <algorithm>

namespace orv {

PosterRecipe RecipeFromState(const RenderOptions& options) {
    PosterRecipe recipe;
    recipe.type = type;
    recipe.param = p[type];
    recipe.rotation = rot[type];
    // Every order other than 0 to 4 turns as "ZYX".
    recipe.order = rotationorder >= 0 && rotationorder <= 4 ? rotationorder : 5;
    recipe.view = mm[type];
    recipe.res = res;
    recipe.method = method[type];
    std::copy(std::begin(palette), std::end(palette), recipe.palette.begin());
    recipe.background = {red, green, blue};
    recipe.ghost = ghostflag != 0;
    recipe.filter = options.filter;
    recipe.steps = options.steps;
    return recipe;
}

} // namespace orv
