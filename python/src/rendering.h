// The module's functions that render: counts, values, pictures, posters
// saved as files, the exponent, searches and animations.
#pragma once

#include <pybind11/pybind11.h>

namespace orv::python {

void BindRendering(pybind11::module_& module);

} // namespace orv::python
