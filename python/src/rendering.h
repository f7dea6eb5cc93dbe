// The module's functions that render: counts, values, pictures, posters
// saved as files, the exponent, searches and animations.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <pybind11/pybind11.h>

namespace orv::python {

// The counts of the recipe, rendered off the GIL on threads threads as
// counts() renders them; MemoryError when there is no memory for the grid.
CountGrid RenderCounts(const PosterRecipe& recipe, unsigned threads,
                       const pybind11::object& progress);

void BindRendering(pybind11::module_& module);

} // namespace orv::python
