#include "explore_animate.h"
#include "recipe_binding.h"
#include "rendering.h"

#include <pybind11/pybind11.h>

PYBIND11_MODULE(orvantis, module) {
    module.doc() = R"(Strange attractors rendered by the studio of WJ Orvantis.

A Recipe holds every option of a poster; counts(), values() and image() give
its hit counts, summed values and picture as numpy arrays, save() writes the
poster as `orvantis poster` does, explore() finds chaotic sets and frames()
draws an animation.)";
    orv::python::BindRecipe(module);
    orv::python::BindRendering(module);
    orv::python::BindExploreAnimate(module);
}
