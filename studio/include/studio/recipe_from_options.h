// The recipe of a poster, an explore search or an animation from the picture
// options, read as values: from the program's start-up picture, the options
// are applied in the order the desktop program's commands would apply them,
// each brought into its range.
#pragma once

#include "studio/poster_options.h"
#include "studio/poster_recipe.h"
#include "studio/recipe_options.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

// The least side of a poster, as of the desktop program's image.
inline constexpr long kLeastPosterSide = 200;

// Why options give no recipe: a value or file that cannot be used, or a
// random search that found no chaotic set.
enum class RecipeRefusal { None, BadInput, NotFound };

struct RecipeReading {
    std::optional<PosterRecipe> recipe; // nothing when refused
    RecipeRefusal refusal = RecipeRefusal::None;
    // The warnings on values out of range (none under Quiet), then the
    // reason of a refusal, in the order they arose.
    std::vector<std::string> messages;
};

// The recipe of picture; a random search draws from picture.seed, which
// must be given with random. Orbits, supersampling and depth keep their
// defaults.
RecipeReading RecipeOfOptions(const RenderOptions& picture);

// The recipe of a poster's options: the picture's at the size the options
// give (its view fitted to the set with --fit), with the poster's orbits,
// supersampling and depth.
RecipeReading RecipeOfOptions(const PosterOptions& poster);

} // namespace orv
