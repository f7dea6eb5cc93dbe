// A recipe's parameter file: the type, parameter set, rotation and
// background of a recipe as the desktop program's `.gan` record, which the
// desktop program and `--gan` load.
#pragma once

#include "files/gan.h"
#include "studio/poster_recipe.h"

#include <array>

namespace orv {

// The record of recipe; everything else a recipe holds has no place in it.
GAN GanOfRecipe(const PosterRecipe& recipe);

// The record's bytes, as a parameter file holds them.
std::array<unsigned char, kGanBytes> GanBytesOfRecipe(const PosterRecipe& recipe);

} // namespace orv
