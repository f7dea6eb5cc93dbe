#include "studio/picture_write.h"

#include "studio/poster_colour.h"
#include "studio/poster_files.h"
#include "studio/poster_orbits.h"

#include <new>

namespace orv {

bool WritePicture(const PosterRecipe& recipe, const CountGrid& grid, PixelCount scale,
                  SafeFile& file) {
    try {
        const PosterColouring colouring(recipe, grid, scale);
        const std::size_t rowValues =
            (recipe.transparent ? 4 : 3) * static_cast<std::size_t>(recipe.res);
        const RowSource rows = [&](long first, long count, std::uint16_t* channels) {
            for (long y = 0; y < count; ++y) {
                colouring.row(first + y, channels + static_cast<std::size_t>(y) * rowValues);
            }
        };
        return WritePosterPng(file.stream(), recipe.res, recipe.rows(), recipe.depth,
                              RecipeText(recipe, true), rows, recipe.transparent);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::optional<CountGrid> RenderGrid(const PosterRecipe& recipe, const std::atomic<bool>& stop) {
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample),
                        static_cast<int>(recipe.rows() * recipe.supersample), recipe.method != 1,
                        CountGrid::Wide(recipe.steps));
    if (grid && RenderOrbits(
                    recipe, *grid, 1, 0, [](std::uint64_t) {}, stop) == OrbitsEnd::Stopped) {
        return std::nullopt;
    }
    return grid;
}

} // namespace orv
