// The recipe a PNG carries: any bytes as a picture named by --recipe or
// looked at by animate's resume. A recipe that is taken reads back from its
// own text as the very same recipe.
#include "studio/poster_recipe.h"

#include "input_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orv;
    const std::string& input = fuzz::WriteInputFile("png", data, size);
    std::string error;
    const std::optional<TextChunks> whole = ReadWholePng(input, error);
    const std::optional<TextChunks> text = ReadPngText(input, error);
    if (whole && !text) {
        std::abort(); // a file read to its end but not to its image data
    }
    if (!text) {
        return 0;
    }
    error.clear();
    const std::optional<PosterRecipe> recipe = ReadRecipe(*text, error);
    if (recipe.has_value() == !error.empty()) {
        std::abort(); // a refusal without its reason, or a reason for nothing
    }
    const std::optional<PosterRecipe> poster = ReadPosterRecipe(*text, error);
    if (poster && !recipe) {
        std::abort();
    }
    if (recipe) {
        const TextChunks written = RecipeText(*recipe, true);
        const std::optional<PosterRecipe> again = ReadRecipe(written, error);
        if (!again || RecipeText(*again, true) != written) {
            std::abort(); // a recipe that does not read back as itself
        }
    }
    return 0;
}
