// The memory a picture needs and the memory there is.
#pragma once

#include "studio/poster_recipe.h"

#include <cstdint>

namespace orv {

// The memory a poster of the recipe needs, in bytes.
std::uint64_t PosterBytes(const PosterRecipe& recipe);

// The memory the system can give without swapping, or all of it when it does
// not say.
std::uint64_t AvailableMemory();

} // namespace orv
