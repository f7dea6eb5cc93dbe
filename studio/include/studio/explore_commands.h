// The command lines that make a gallery's set again, larger: a poster and a
// turn animation of the set's parameter file with the thumbnail's look and
// framing. They are run in the gallery's folder.
#pragma once

#include "studio/poster_recipe.h"

#include <optional>
#include <string>

namespace orv {

// The options of the recipe's look that differ from a poster's defaults,
// and its framing: --fit with the margin when framed, else its view. A
// palette other than the built-in ones is named by palette, the --palette
// it came from, made absolute.
std::string LookOptions(const PosterRecipe& recipe, std::optional<double> margin,
                        const std::optional<std::string>& palette);

// A large poster of the set whose parameter file is gan.
std::string PosterCommand(const std::string& gan, const std::string& look);

// A looping turn about the y axis of the same set.
std::string TurnCommand(const std::string& gan, const std::string& look);

} // namespace orv
