#include "studio/poster_colour.h"
#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include "render/defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {
namespace {

TEST(PosterColour, APixelIsTheRoundedMeanOfItsFinePixelsAtEitherDepth) {
    PosterRecipe recipe;
    recipe.res = 2;
    recipe.supersample = 2;
    recipe.method = 1;
    recipe.background = {101, 3, 250};
    const std::array<unsigned char, 6> entries = {10, 20, 30, 40, 50, 60};
    std::copy(entries.begin(), entries.end(), recipe.palette.begin() + 3);
    std::optional<CountGrid> grid = CountGrid::Make(4, false);
    ASSERT_TRUE(grid);
    // The fine pixels of output pixel (1, 0): entries 1 and 2 above, the
    // background and entry 2 below.
    grid->counts()[2] = 1;
    grid->counts()[3] = 2;
    grid->counts()[7] = 2;
    const auto rows = [&](int depth) {
        recipe.depth = depth;
        const PosterColouring colouring(recipe, *grid);
        std::vector<std::uint16_t> channels(12);
        colouring.row(0, channels.data());
        colouring.row(1, channels.data() + 6);
        return channels;
    };
    // (10 + 40 + 101 + 40) / 4 = 47.75, (20 + 50 + 3 + 50) / 4 = 30.75 and
    // (30 + 60 + 250 + 60) / 4 = 100, times 257 at 16 bits.
    EXPECT_EQ(rows(8),
              (std::vector<std::uint16_t>{101, 3, 250, 48, 31, 100, 101, 3, 250, 101, 3, 250}));
    EXPECT_EQ(rows(16), (std::vector<std::uint16_t>{25957, 771, 64250, 12272, 7903, 25700, 25957,
                                                    771, 64250, 25957, 771, 64250}));
}

// The red of each fine pixel under a palette whose entry k is grey k, where
// a position reads as its own value.
std::vector<double> Reds(const PosterRecipe& recipe, const CountGrid& grid) {
    const PosterColouring colouring(recipe, grid);
    std::vector<double> reds;
    for (std::size_t pixel = 0; pixel < grid.pixels(); ++pixel) {
        reds.push_back(colouring.fine(pixel).r);
    }
    return reds;
}

TEST(PosterColour, CountsPast32BitsAreFilteredByTheirWholeValue) {
    PosterRecipe recipe;
    recipe.method = 1;
    recipe.background = {7, 7, 7};
    for (std::size_t k = 0; k < 256; ++k) {
        std::fill_n(recipe.palette.begin() + static_cast<long>(3 * k), 3, k);
    }
    // Normalize: 1024 count / largest, the largest being 3 * 2^32.
    recipe.filter = BatchFilter::Normalize;
    std::optional<CountGrid> grid = CountGrid::Make(2, false, true);
    ASSERT_TRUE(grid);
    const PixelCount counts[] = {0, PixelCount{3} << 32, PixelCount{3} << 23, 1};
    for (std::size_t pixel = 0; pixel < 4; ++pixel) {
        grid->set(pixel, counts[pixel]);
    }
    EXPECT_EQ(Reds(recipe, *grid), (std::vector<double>{7, 255, 2, 1}));

    // Equalize goes by the order of the counts alone: counts 1, 1, 2, 3, 3
    // among 16 pixels take 1, 64.5 and 191.5, and so do counts past 2^40,
    // which outnumber the pixels.
    recipe.filter = BatchFilter::Equalize;
    std::optional<CountGrid> small = CountGrid::Make(4, false);
    std::optional<CountGrid> large = CountGrid::Make(4, false, true);
    ASSERT_TRUE(small && large);
    const PixelCount few[] = {1, 1, 2, 3, 3};
    const PixelCount many[] = {PixelCount{1} << 40, PixelCount{1} << 40, (PixelCount{1} << 40) + 1,
                               PixelCount{1} << 41, PixelCount{1} << 41};
    for (std::size_t i = 0; i < 5; ++i) {
        small->set(3 + i, few[i]);
        large->set(3 + i, many[i]);
    }
    const std::vector<double> expected = {7, 7, 7, 1, 1, 64.5, 191.5, 191.5,
                                          7, 7, 7, 7, 7, 7,    7,     7};
    EXPECT_EQ(Reds(recipe, *small), expected);
    EXPECT_EQ(Reds(recipe, *large), expected);
}

TEST(PosterRecipeText, ARecipeIsRefusedWhatTheCommandLineRefuses) {
    PosterRecipe forged;
    forged.view = MINMAX{-2.0, 2.0, -2.0, 2.0};
    forged.method = 2;
    forged.filter = BatchFilter::Log;
    std::string error;
    EXPECT_FALSE(ReadRecipe(RecipeText(forged, true), error));
    EXPECT_EQ(error, "its recipe gives the filter log with the z-plane method; a filter needs the "
                     "Hit Count colouring method");
    forged.method = 1;
    EXPECT_TRUE(ReadRecipe(RecipeText(forged, true), error)) << error;
    TextChunks text = RecipeText(forged, true);
    text[1].second = "sketch";
    EXPECT_FALSE(ReadRecipe(text, error));
    EXPECT_EQ(error, "its recipe has no readable command");

    // The arithmetic of the orbits: exact, as every poster before the
    // lanes, writes no line; lanes write theirs, a render never.
    const auto arithmetic = [](const TextChunks& chunks) {
        return std::count_if(chunks.begin(), chunks.end(), [](const auto& chunk) {
            return chunk.first == "orvantis:orbit-arithmetic";
        });
    };
    EXPECT_EQ(arithmetic(RecipeText(forged, true)), 0);
    forged.arithmetic = OrbitArithmetic::Lanes;
    text = RecipeText(forged, true);
    EXPECT_EQ(text.back(),
              (std::pair<std::string, std::string>("orvantis:orbit-arithmetic", "lanes")));
    EXPECT_EQ(ReadRecipe(text, error)->arithmetic, OrbitArithmetic::Lanes);
    EXPECT_EQ(arithmetic(RecipeText(forged, false)), 0);
    text.back().second = "fast";
    EXPECT_FALSE(ReadRecipe(text, error));
    EXPECT_EQ(error, "its recipe has no readable orbit-arithmetic");
}

TEST(PosterRecipeText, AHeightReadsBackExactlyAndASquareRecipeHasNone) {
    PosterRecipe wide;
    wide.param = pdef[0];
    wide.res = 1920;
    wide.height = 1080;
    wide.view = MINMAX{-1.0 / 3.0, 0.1, -2.0, 2.0};
    std::string error;
    EXPECT_EQ(ReadRecipe(RecipeText(wide, true), error), wide) << error;
    EXPECT_EQ(RecipeText(wide, true).back(),
              (std::pair<std::string, std::string>("orvantis:height", "1080")));
    PosterRecipe square = wide;
    square.height = 0;
    const TextChunks text = RecipeText(square, true);
    EXPECT_TRUE(std::none_of(text.begin(), text.end(),
                             [](const auto& chunk) { return chunk.first == "orvantis:height"; }));
    EXPECT_EQ(ReadRecipe(text, error), square) << error;
    TextChunks low = RecipeText(wide, true);
    low.back().second = "199";
    EXPECT_FALSE(ReadRecipe(low, error));
    EXPECT_EQ(error, "its recipe has no readable height");
}

} // namespace
} // namespace orv::test
