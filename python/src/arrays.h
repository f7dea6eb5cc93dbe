// numpy arrays of a poster's grid and picture.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <pybind11/numpy.h>

#include <cstdint>

namespace orv::python {

// The hit counts of the fine grid as a (side, side) uint32 array over the
// grid's own memory, which the array's base object keeps.
pybind11::array CountsArray(CountGrid grid);

// The sums of the values of the fine grid's points as a (side, side)
// float64 array, in the units of the values.
pybind11::array ValuesArray(const CountGrid& grid);

// The picture of the counts as an (res, res, 3) array, uint8 at depth 8
// and uint16 at depth 16, coloured with the filter scale as
// PosterColouring takes it. Call with the GIL released.
pybind11::array PictureArray(const PosterRecipe& recipe, const CountGrid& grid,
                             std::uint32_t scale);

} // namespace orv::python
