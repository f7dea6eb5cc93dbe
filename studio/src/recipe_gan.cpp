#include "studio/recipe_gan.h"

#include "render/defaults.h"

namespace orv {

GAN GanOfRecipe(const PosterRecipe& recipe) {
    GAN record = GanRecord(recipe.type, recipe.param, recipe.rotation);
    const auto [red, green, blue] = recipe.background;
    record.back = BackgroundColour(red, green, blue);
    record.red = red;
    record.green = green;
    record.blue = blue;
    return record;
}

std::array<unsigned char, kGanBytes> GanBytesOfRecipe(const PosterRecipe& recipe) {
    std::array<unsigned char, kGanBytes> bytes{};
    EncodeGan(GanOfRecipe(recipe), bytes.data());
    return bytes;
}

} // namespace orv
