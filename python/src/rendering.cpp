#include "rendering.h"
#include "arrays.h"
#include "errors.h"
#include "interruptible.h"
#include "option_words.h"
#include "recipe_binding.h"

#include "studio/lane_isa.h"
#include "studio/poster_orbits.h"
#include "studio/poster_render.h"
#include "studio/poster_save.h"

#include "analysis/lyapunov.h"
#include "render/kernel.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <optional>

namespace py = pybind11;

namespace orv::python {

namespace {

py::array CountsOf(const Recipe& recipe, const py::object& threads, const py::object& progress) {
    return CountsArray(RenderCounts(recipe.poster, ThreadsOf(threads), progress));
}

py::array ValuesOf(const Recipe& recipe, const py::object& threads, const py::object& progress) {
    if (recipe.poster.method == 1) { // Hit Count
        RaiseValueError("values: Hit Count sums no values; counts() gives its hits");
    }
    return ValuesArray(RenderCounts(recipe.poster, ThreadsOf(threads), progress));
}

py::array ImageOf(const Recipe& recipe, const py::object& threads, const py::object& progress) {
    const CountGrid grid = RenderCounts(recipe.poster, ThreadsOf(threads), progress);
    return PictureArray(recipe.poster, grid, 0);
}

void Save(const Recipe& recipe, const py::object& path, const py::object& threads,
          const py::object& progress, const py::object& counts) {
    std::vector<std::string> words = {"--output=" + PathText("path", path)};
    if (!counts.is_none()) {
        words.push_back("--counts=" + PathText("counts", counts));
    }
    const PosterOptions options = ReadPosterWords(words);
    const unsigned workers = ThreadsOf(threads);
    const CountGrid grid = RenderCounts(recipe.poster, workers, progress);
    std::vector<std::string> failures;
    {
        const py::gil_scoped_release release;
        failures = SavePoster(recipe.poster, grid, workers, options.picture.output, options.counts);
    }
    if (!failures.empty()) {
        std::string message;
        for (const std::string& failure : failures) {
            message += (message.empty() ? "" : "; ") + failure;
        }
        RaiseOSError(0, message);
    }
}

double Exponent(const Recipe& recipe) {
    const py::gil_scoped_release release;
    int ghostcount = 0;
    return LyapunovOf(RenderKernel(PosterInputs(recipe.poster)), ghostcount);
}

} // namespace

CountGrid RenderCounts(const PosterRecipe& recipe, unsigned threads, const py::object& progress) {
    // A path that ORVANTIS_ISA names wrongly is refused, as the command line
    // refuses it.
    if (const IsaChoice isa = LaneIsaOfEnvironment(); !isa.isa) {
        RaiseValueError(isa.error);
    }
    std::optional<PosterCounts> made;
    RunInterruptible(
        [&](const WorkControl& control) {
            made.emplace(RenderPoster(
                recipe, threads, [&](std::uint64_t done) { control.done = done; }, control.stop));
            if (made->end == PosterEnd::Rendered) {
                control.done = recipe.steps;
            }
        },
        progress, recipe.steps);
    if (!made->grid) {
        RaiseMemoryError(made->error);
    }
    return std::move(*made->grid);
}

void BindRendering(py::module_& module) {
    const auto threads = py::arg("threads") = py::none();
    const auto progress = py::arg("progress") = py::none();
    module.def("counts", &CountsOf, py::arg("recipe"), py::kw_only(), threads, progress,
               R"(The hit counts of the recipe's fine grid.

A uint32 array of shape (res * supersample, res * supersample) whose sum is
the steps counted. The render runs on threads threads (every core for None)
without the GIL; the counts are the same for any number. progress, when
given, is called with (steps done, steps in all) a few times a second;
Ctrl-C stops the render and raises KeyboardInterrupt.)");
    module.def("values", &ValuesOf, py::arg("recipe"), py::kw_only(), threads, progress,
               R"(The summed speeds (Speed) or heights (Z-Plane) of each fine pixel's
points, a float64 array shaped as counts(); ValueError under Hit Count.)");
    module.def("image", &ImageOf, py::arg("recipe"), py::kw_only(), threads, progress,
               R"(The coloured picture: (res, res, 3), uint8 at depth 8 and uint16 at
depth 16, red first, the rows from the top.)");
    module.def("save", &Save, py::arg("recipe"), py::arg("path"), py::kw_only(), threads, progress,
               py::arg("counts") = py::none(),
               R"(Writes the poster as `orvantis poster` does, byte for byte: a PNG with its
recipe, and with counts the fine grid's counts as OpenEXR. OSError naming the
file when it cannot be written; neither file is left half written.)");
    module.def("exponent", &Exponent, py::arg("recipe"),
               "The Lyapunov exponent of the recipe's set, as the Parameters dialog estimates it.");
}

} // namespace orv::python
