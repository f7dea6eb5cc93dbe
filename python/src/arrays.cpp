#include "arrays.h"

#include "studio/poster_colour.h"

#include "analysis/workers.h"

#include <memory>
#include <vector>

namespace py = pybind11;

namespace orv::python {

namespace {

template <typename Channel>
void Colour(const PosterColouring& colouring, const PosterRecipe& recipe, Channel* pixels) {
    const py::gil_scoped_release release;
    const std::size_t rowValues =
        (recipe.transparent ? 4 : 3) * static_cast<std::size_t>(recipe.res);
    ParallelFor(static_cast<int>(recipe.rows()), [&](int begin, int end) {
        std::vector<std::uint16_t> row(rowValues);
        for (long y = begin; y < end; ++y) {
            colouring.row(y, row.data());
            Channel* out = pixels + static_cast<std::size_t>(y) * rowValues;
            for (std::size_t i = 0; i < rowValues; ++i) {
                out[i] = static_cast<Channel>(row[i]);
            }
        }
    });
}

} // namespace

py::array CountsArray(CountGrid grid) {
    auto held = std::make_unique<CountGrid>(std::move(grid));
    const py::ssize_t width = held->width();
    const py::ssize_t height = held->height();
    std::uint32_t* counts = held->counts();
    const py::capsule base(held.get(), [](void* grid) { delete static_cast<CountGrid*>(grid); });
    held.release();
    return py::array_t<std::uint32_t>({height, width}, counts, base);
}

py::array ValuesArray(const CountGrid& grid) {
    py::array_t<double> values({py::ssize_t{grid.height()}, py::ssize_t{grid.width()}});
    double* out = values.mutable_data();
    const std::uint64_t* sums = grid.values();
    for (std::size_t i = 0; i < grid.pixels(); ++i) {
        out[i] = static_cast<double>(sums[i]) / kValueUnit;
    }
    return values;
}

py::array PictureArray(const PosterRecipe& recipe, const CountGrid& grid, std::uint32_t scale) {
    const PosterColouring colouring(recipe, grid, scale);
    const std::vector<py::ssize_t> shape = {recipe.rows(), recipe.res,
                                            py::ssize_t{recipe.transparent ? 4 : 3}};
    if (recipe.depth == 16) {
        py::array_t<std::uint16_t> picture(shape);
        Colour(colouring, recipe, picture.mutable_data());
        return picture;
    }
    py::array_t<std::uint8_t> picture(shape);
    Colour(colouring, recipe, picture.mutable_data());
    return picture;
}

} // namespace orv::python
