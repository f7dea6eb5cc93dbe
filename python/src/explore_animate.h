// The module's searches and animations: explore() finds chaotic sets as
// recipes, frames() draws the pictures of an animation one by one.
#pragma once

#include <pybind11/pybind11.h>

namespace orv::python {

void BindExploreAnimate(pybind11::module_& module);

} // namespace orv::python
