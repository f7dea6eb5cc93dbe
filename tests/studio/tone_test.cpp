// The log-density tone map, density estimation and transparency: what the
// options accept, how a recipe keeps them, and the pixels they give.
#include "studio/density_estimate.h"
#include "studio/picture_write.h"
#include "studio/poster_colour.h"
#include "studio/poster_options.h"
#include "studio/poster_recipe.h"
#include "studio/poster_save.h"
#include "studio/tone_map.h"

#include "palette/palette.h"
#include "render/defaults.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orv::test {
namespace {

std::string Refusal(std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "p.png"});
    const PosterCommandLine line = ParsePosterOptions(args);
    return line.action == CommandLineAction::Error ? line.error : "accepted";
}

TEST(ToneOptions, NonsenseIsRefusedNamingTheOptionAndTheValue) {
    EXPECT_EQ(Refusal({"--gamma", "0"}), "--gamma: '0' is not a gamma from 0.1 to 10");
    EXPECT_EQ(Refusal({"--gamma", "nan"}), "--gamma: 'nan' is not a gamma from 0.1 to 10");
    EXPECT_EQ(Refusal({"--brightness", "-1"}),
              "--brightness: '-1' is not a brightness above 0 and at most 100");
    EXPECT_EQ(Refusal({"--brightness=0"}),
              "--brightness: '0' is not a brightness above 0 and at most 100");
    EXPECT_EQ(Refusal({"--vibrancy", "2"}), "--vibrancy: '2' is not a vibrancy from 0 to 1");
    EXPECT_EQ(Refusal({"--highlight", "NaN"}), "--highlight: 'NaN' is not a highlight from 0 to 1");
    EXPECT_EQ(Refusal({"--highlight", "inf"}), "--highlight: 'inf' is not a highlight from 0 to 1");
    EXPECT_EQ(Refusal({"--de", "-1"}), "--de: '-1' is not a radius of 1 to 20 fine pixels");
    EXPECT_EQ(Refusal({"--de", "2.5"}), "--de: '2.5' is not a radius of 1 to 20 fine pixels");
    EXPECT_EQ(Refusal({"--de", "1e300"}), "--de: '1e300' is not a radius of 1 to 20 fine pixels");
    EXPECT_EQ(Refusal({"--method", "hit-count", "--filter", "log", "--gamma", "2"}),
              "--filter cannot be combined with --brightness, --gamma, --vibrancy, --highlight or "
              "--de, which choose the log-density tone map");
    EXPECT_EQ(ParseRenderOptions({"--background", "transparent", "-o", "r.png"}).error,
              "the tone options and --background transparent are for poster, explore and "
              "animate; render draws as the desktop program does");
    EXPECT_EQ(ParseRenderOptions({"--de", "3", "-o", "r.png"}).action, CommandLineAction::Error);
}

TEST(ToneOptions, AnyOfThemChoosesTheToneMapWithTheDefaultsForTheRest) {
    const PosterCommandLine none = ParsePosterOptions({"-o", "p.png"});
    EXPECT_FALSE(none.options.picture.tone);
    EXPECT_FALSE(none.options.picture.transparent);
    const PosterCommandLine line = ParsePosterOptions(
        {"--vibrancy", "0.25", "--de=3", "--background", "Transparent", "-o", "p.png"});
    ASSERT_EQ(line.action, CommandLineAction::Render) << line.error;
    EXPECT_EQ(line.options.picture.tone, (ToneSettings{1.0, 2.2, 0.25, 0.0, 3}));
    EXPECT_TRUE(line.options.picture.transparent);
}

TEST(ToneRecipe, ReadsBackExactlyAndAnOlderRecipeHasNoneOfIt) {
    PosterRecipe recipe;
    recipe.param = pdef[0];
    recipe.view = mmdef[0];
    const TextChunks plain = RecipeText(recipe, true);
    for (const auto& [key, value] : plain) {
        EXPECT_NE(key, "orvantis:gamma");
        EXPECT_NE(key, "orvantis:transparent");
    }
    std::string error;
    const auto old = ReadRecipe(plain, error);
    ASSERT_TRUE(old) << error;
    EXPECT_FALSE(old->tone);
    EXPECT_FALSE(old->transparent);

    recipe.tone = ToneSettings{0.1 + 0.2, 0.1, 1.0 / 3.0, 1.0, 20};
    recipe.transparent = true;
    const auto read = ReadRecipe(RecipeText(recipe, true), error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(*read, recipe);

    recipe.tone->gamma = 0.0;
    EXPECT_FALSE(ReadRecipe(RecipeText(recipe, true), error));
    EXPECT_EQ(error, "its recipe has no readable gamma");
    recipe.tone->gamma = 1.0;
    recipe.method = 1;
    recipe.filter = BatchFilter::Log;
    EXPECT_FALSE(ReadRecipe(RecipeText(recipe, true), error));
    EXPECT_EQ(error, "its recipe gives the filter log with the log-density tone map");
}

TEST(ToneColour, GammaGoesToTheDensityOrTheChannelsAndHighlightsFadeToWhite) {
    ToneSettings tone;
    EXPECT_DOUBLE_EQ(ToneLevel(tone, kToneWhite), 1.0);
    EXPECT_DOUBLE_EQ(ToneLevel(tone, 0.0), 0.0);
    tone.brightness = 3.0;
    EXPECT_DOUBLE_EQ(ToneLevel(tone, 1.0), 3.0 * std::log(2.0) / std::log(21.0));

    tone.gamma = 2.0;
    const Colour orange{1.0, 0.5, 0.0};
    EXPECT_EQ(ToneColour(tone, 0.25, orange), (Toned{0.5, 0.25, 0.0, 0.5}));
    tone.vibrancy = 0.0;
    EXPECT_EQ(ToneColour(tone, 0.25, orange), (Toned{0.5, std::sqrt(0.125), 0.0, 0.5}));

    // Four times full: clipped, faded three quarters of the way to white,
    // or half of each.
    tone.gamma = 1.0;
    tone.vibrancy = 1.0;
    EXPECT_EQ(ToneColour(tone, 4.0, orange), (Toned{1.0, 1.0, 0.0, 1.0}));
    tone.highlight = 1.0;
    EXPECT_EQ(ToneColour(tone, 4.0, orange), (Toned{1.0, 0.875, 0.75, 1.0}));
    tone.highlight = 0.5;
    EXPECT_EQ(ToneColour(tone, 4.0, orange), (Toned{1.0, 0.9375, 0.375, 1.0}));
}

PosterRecipe Alpha(int supersample, std::uint64_t steps) {
    PosterRecipe recipe;
    recipe.type = 1;
    recipe.param = pdef[1];
    recipe.view = mmdef[1];
    recipe.res = 200;
    recipe.steps = steps;
    recipe.orbits = 2;
    recipe.supersample = supersample;
    recipe.background = {0, 0, 0};
    std::copy(defpal1, defpal1 + 768, recipe.palette.begin());
    recipe.tone = ToneSettings{};
    return recipe;
}

double MeanChannel(const PosterRecipe& recipe) {
    const std::optional<CountGrid> grid = RenderGrid(recipe);
    const PosterColouring colouring(recipe, *grid);
    std::vector<std::uint16_t> row(3 * static_cast<std::size_t>(recipe.res));
    double sum = 0.0;
    for (long y = 0; y < recipe.res; ++y) {
        colouring.row(y, row.data());
        for (std::uint16_t channel : row) {
            sum += channel;
        }
    }
    return sum / (255.0 * 3 * static_cast<double>(recipe.res * recipe.res));
}

TEST(ToneMap, SupersamplingAndTenTimesTheStepsKeepTheMeanBrightness) {
    // Under Speed, where supersampling mixes the colours of fine pixels.
    const double base = MeanChannel(Alpha(1, 300000));
    EXPECT_NEAR(base, 0.0492328, 1e-7);
    for (int k = 2; k <= 4; ++k) {
        EXPECT_NEAR(MeanChannel(Alpha(k, 300000)) / base, 1.0, 0.02) << "supersample " << k;
    }
    EXPECT_NEAR(MeanChannel(Alpha(1, 3000000)) / base, 1.0, 0.03);
    // The counts scaled by the largest, as the log filter does, lose a
    // fifth of their brightness at 4.
    PosterRecipe log = Alpha(1, 300000);
    log.method = 1;
    log.tone.reset();
    log.filter = BatchFilter::Log;
    const double logBase = MeanChannel(log);
    log.supersample = 4;
    EXPECT_LT(MeanChannel(log) / logBase, 0.8);
}

// A 4 x 4 fine grid, two output pixels a side: the upper left one empty,
// one fine pixel of the upper right lit, the lower right all dense.
CountGrid Corners() {
    std::optional<CountGrid> grid = CountGrid::Make(4, false);
    grid->counts()[3] = 1;
    for (std::size_t at : {10u, 11u, 14u, 15u}) {
        grid->counts()[at] = 500;
    }
    return std::move(*grid);
}

std::vector<std::uint16_t> Rows(const PosterRecipe& recipe, const CountGrid& grid) {
    const PosterColouring colouring(recipe, grid);
    std::vector<std::uint16_t> channels(16);
    colouring.row(0, channels.data());
    colouring.row(1, channels.data() + 8);
    return channels;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Transparency, AlphaIsTheCoverageZeroWhereNothingFellAndFullWhereItIsDense) {
    const CountGrid grid = Corners();
    PosterRecipe recipe;
    recipe.res = 2;
    recipe.supersample = 2;
    recipe.method = 1;
    recipe.transparent = true;
    recipe.palette[3] = 7;
    recipe.palette[767] = 200;
    recipe.steps = 201;
    // Without a filter: the lit pixels' colours, a quarter covered.
    EXPECT_EQ(Rows(recipe, grid),
              (std::vector<std::uint16_t>{0, 0, 0, 0, 7, 0, 0, 64, 0, 0, 0, 0, 0, 0, 200, 255}));
    recipe.depth = 16;
    EXPECT_EQ(Rows(recipe, grid)[7], 16384);
    EXPECT_EQ(Rows(recipe, grid)[15], 65535);
    // The tone map: a single hit of 201 steps over 4 pixels is faint, the
    // dense pixel opaque in the palette's last colour, lifted by gamma.
    recipe.tone = ToneSettings{};
    const auto lifted = [](double hits) {
        return std::pow(std::log1p(hits * 4 / 201) / std::log1p(kToneWhite), 1 / 2.2);
    };
    const std::vector<std::uint16_t> toned = Rows(recipe, grid);
    EXPECT_EQ(toned[3], 0);
    EXPECT_EQ(toned[7], std::lround(lifted(1) * 65535));
    EXPECT_EQ((std::vector<std::uint16_t>(toned.begin() + 12, toned.end())),
              (std::vector<std::uint16_t>{
                  0, 0, static_cast<std::uint16_t>(std::lround(lifted(2000) * 200 / 255 * 65535)),
                  65535}));

    // Opaque, the background shows through as far as the opacity leaves it.
    recipe.transparent = false;
    recipe.background = {101, 3, 250};
    const auto behind = [&](double alpha, int channel) {
        return static_cast<std::uint16_t>(std::lround((1 - alpha) * (channel / 255.0) * 65535));
    };
    const std::vector<std::uint16_t> opaque = Rows(recipe, grid);
    EXPECT_EQ((std::vector<std::uint16_t>(opaque.begin(), opaque.begin() + 6)),
              (std::vector<std::uint16_t>{25957, 771, 64250, behind(lifted(1), 101),
                                          behind(lifted(1), 3), behind(lifted(1), 250)}));
    // The dense pixel's blue: row 1 starts at 8, its second pixel at 11.
    EXPECT_EQ(opaque[13], std::lround(lifted(2000) * 200 / 255 * 65535));
    recipe.transparent = true;

    // The PNG is RGBA (colour type 6) at either depth; the counts file is
    // the same as without transparency.
    const ScratchDir scratch;
    for (int depth : {8, 16}) {
        recipe.depth = depth;
        ASSERT_TRUE(
            SavePoster(recipe, grid, 2, scratch / "clear.png", scratch / "clear.exr").empty());
        const std::string png = Bytes(scratch / "clear.png");
        EXPECT_EQ(png[24], depth);
        EXPECT_EQ(png[25], 6);
    }
    recipe.transparent = false;
    ASSERT_TRUE(
        SavePoster(recipe, grid, 2, scratch / "opaque.png", scratch / "opaque.exr").empty());
    EXPECT_EQ(Bytes(scratch / "opaque.png")[25], 2);
    EXPECT_EQ(Bytes(scratch / "opaque.exr"), Bytes(scratch / "clear.exr"));
}

TEST(DensityEstimate, SparseHitsSpreadTheirCountAndDenseOnesStay) {
    const DensityEstimate estimate(4);
    EXPECT_EQ(estimate.radiusOf(1), 4);
    EXPECT_EQ(estimate.radiusOf(2), 2);
    EXPECT_EQ(estimate.radiusOf(4), 2);
    EXPECT_EQ(estimate.radiusOf(16), 1);
    EXPECT_EQ(estimate.radiusOf(17), 0);

    std::optional<CountGrid> grid = CountGrid::Make(16, false);
    grid->counts()[5 * 16 + 5] = 1;
    grid->counts()[10 * 16 + 10] = 17;
    std::vector<double> whole(16 * 16);
    estimate.rows(*grid, 0, 16, whole.data(), nullptr);
    double sum = 0.0;
    for (double value : whole) {
        sum += value;
    }
    EXPECT_NEAR(sum, 18.0, 1e-12);
    EXPECT_EQ(whole[10 * 16 + 10], 17.0);
    EXPECT_GT(whole[5 * 16 + 5], whole[5 * 16 + 6]);
    EXPECT_GT(whole[9 * 16 + 5], 0.0) << "four rows below";
    EXPECT_EQ(whole[10 * 16 + 5], 0.0) << "five rows below";

    // Any split of the rows gives the very same values.
    std::vector<double> split(16 * 16);
    for (long first = 0; first < 16; first += 3) {
        estimate.rows(*grid, first, std::min(3L, 16 - first), split.data() + first * 16, nullptr);
    }
    EXPECT_EQ(split, whole);
}

TEST(DensityEstimate, APosterIsTheSameOnOneThreadOrTwo) {
    PosterRecipe recipe = Alpha(2, 200000);
    recipe.tone->de = 5;
    const std::optional<CountGrid> grid = RenderGrid(recipe);
    const ScratchDir scratch;
    EXPECT_TRUE(SavePoster(recipe, *grid, 1, scratch / "one.png", std::nullopt).empty());
    EXPECT_TRUE(SavePoster(recipe, *grid, 2, scratch / "two.png", std::nullopt).empty());
    EXPECT_EQ(Bytes(scratch / "one.png"), Bytes(scratch / "two.png"));
    recipe.tone->de = 0;
    EXPECT_TRUE(SavePoster(recipe, *grid, 2, scratch / "none.png", std::nullopt).empty());
    EXPECT_NE(Bytes(scratch / "none.png"), Bytes(scratch / "two.png"));
}

} // namespace
} // namespace orv::test
