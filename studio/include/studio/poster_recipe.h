// Everything that makes a poster, with every value resolved: what the
// options and the render state came to. A poster is a function of its recipe
// alone, and the recipe travels with the picture as PNG text.
#pragma once

#include "render/types.h"
#include "studio/recipe_basics.h"
#include "studio/tone_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {

struct PosterRecipe {
    int type = 0;
    PARAM param;
    VOXEL rotation;
    int order = 0;
    MINMAX view;
    long res = 600;
    int method = 0;
    std::array<unsigned char, 768> palette{};
    std::array<int, 3> background{}; // red, green, blue
    bool ghost = false;
    std::optional<BatchFilter> filter;
    std::uint64_t steps = kDefaultSteps;
    std::uint32_t orbits = 1;
    int supersample = 1;
    int depth = 8;
    // The picture's rows where they differ from res, which is then its
    // width; 0 for a square picture.
    long height = 0;

    long rows() const { return height > 0 ? height : res; }

    // The log-density tone map instead of the filters; an alpha channel of
    // coverage instead of the background.
    std::optional<ToneSettings> tone;
    bool transparent = false;
    OrbitArithmetic arithmetic = OrbitArithmetic::Exact;

    bool operator==(const PosterRecipe&) const = default;
};

using TextChunks = std::vector<std::pair<std::string, std::string>>;

// The recipe as PNG text: one keyword per option, values that read back
// exactly. A render's recipe leaves out what only posters have.
TextChunks RecipeText(const PosterRecipe& recipe, bool poster);

// The recipe back from its text; an error naming the keyword that is
// missing or unreadable, or what the command line would refuse. What only
// posters have may be missing.
std::optional<PosterRecipe> ReadRecipe(const TextChunks& text, std::string& error);

// The same for a poster to draw again, refusing a recipe whose pixels a
// poster would not draw the same (a render's filtered picture).
std::optional<PosterRecipe> ReadPosterRecipe(const TextChunks& text, std::string& error);

// The text chunks of a PNG file; an error when it cannot be read as a PNG.
std::optional<TextChunks> ReadPngText(const std::string& path, std::string& error);

// The same for a PNG file that must be whole: every row decodes, every
// chunk's checksum holds and the end chunk is there.
std::optional<TextChunks> ReadWholePng(const std::string& path, std::string& error);

} // namespace orv
