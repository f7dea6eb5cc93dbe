#include "studio/recipe_from_options.h"
#include "studio/recipe_gan.h"

#include "analysis/search.h"
#include "palette/palette.h"
#include "render/defaults.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace orv::test {
namespace {

std::array<unsigned char, 768> Entries(const unsigned char* palette) {
    std::array<unsigned char, 768> entries{};
    std::copy(palette, palette + 768, entries.begin());
    return entries;
}

TEST(RecipeOfOptions, StartsFromTheStartUpPictureAndEachTypeKeepsItsOwnValues) {
    const RecipeReading plain = RecipeOfOptions(RenderOptions{});
    ASSERT_TRUE(plain.recipe);
    EXPECT_TRUE(plain.messages.empty());
    PosterRecipe start;
    start.param = pdef[0];
    start.view = mmdef[0];
    start.palette = Entries(defpal1);
    start.background = {255, 245, 230};
    EXPECT_EQ(*plain.recipe, start);

    // The rotation and view given before --type belong to the type then
    // chosen; the background and palette to the picture.
    const ScratchDir scratch;
    PosterRecipe alpha = start;
    alpha.type = 1;
    alpha.param = PARAM{0.5, -0.5, 0.0, 2.0, -2.0, 1.0, -1.0};
    alpha.rotation = VOXEL{10, 20, 30};
    alpha.background = {1, 2, 3};
    const auto bytes = GanBytesOfRecipe(alpha);
    scratch.Write("alpha.gan", std::string(bytes.begin(), bytes.end()));
    RenderOptions options;
    options.gan = scratch / "alpha.gan";
    options.type = 3;
    options.palette = "2";
    options.order = 9;
    const RecipeReading gamma = RecipeOfOptions(options);
    ASSERT_TRUE(gamma.recipe);
    EXPECT_EQ(gamma.recipe->type, 3);
    EXPECT_EQ(gamma.recipe->param, pdef[3]);
    EXPECT_EQ(gamma.recipe->rotation, VOXEL{});
    EXPECT_EQ(gamma.recipe->view, mmdef[3]);
    EXPECT_EQ(gamma.recipe->background, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(gamma.recipe->palette, Entries(defpal2));
    EXPECT_EQ(gamma.recipe->order, 5) << "an order past 4 turns as ZYX";
}

TEST(RecipeOfOptions, ValuesOutOfRangeAreWarnedInOrderUnlessQuietAndRefusalsEndTheReading) {
    RenderOptions options;
    options.res = 50;
    options.params = std::array<double, 4>{9.0, 0.5, -2.0, 1.0};
    options.background = std::array<long, 3>{300, 0, -1};
    const RecipeReading warned = RecipeOfOptions(options);
    ASSERT_TRUE(warned.recipe);
    EXPECT_EQ(warned.recipe->res, 200);
    EXPECT_EQ(warned.recipe->param.a, 3.0);
    EXPECT_EQ(warned.recipe->param.c, -1.75);
    EXPECT_EQ(warned.recipe->background, (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(warned.messages,
              (std::vector<std::string>{"warning: --res: 50 is out of range; 200 is used",
                                        "warning: --params: 9 is out of range; 3 is used",
                                        "warning: --params: -2 is out of range; -1.75 is used",
                                        "warning: --background: 300 is out of range; 255 is used",
                                        "warning: --background: -1 is out of range; 0 is used"}));

    options.display = BatchDisplay::Quiet;
    const RecipeReading quiet = RecipeOfOptions(options);
    EXPECT_EQ(quiet.recipe, warned.recipe);
    EXPECT_TRUE(quiet.messages.empty());

    options.view = std::array<double, 4>{1.0, 1.01, -1.0, 1.0};
    const RecipeReading narrow = RecipeOfOptions(options);
    EXPECT_FALSE(narrow.recipe);
    EXPECT_EQ(narrow.refusal, RecipeRefusal::BadInput);
    EXPECT_EQ(narrow.messages, std::vector<std::string>{"xmax - xmin must be >= 0.05"});

    options.view.reset();
    options.filter = BatchFilter::Log;
    const RecipeReading filtered = RecipeOfOptions(options);
    EXPECT_EQ(filtered.refusal, RecipeRefusal::BadInput);
    options.method = 1;
    EXPECT_TRUE(RecipeOfOptions(options).recipe);
}

TEST(RecipeOfOptions, ARandomSetIsTheSearchsFromTheSeedForThePictureAsGiven) {
    RenderOptions options;
    options.type = 2;
    options.start = std::array<double, 2>{0.25, 0.5};
    options.ghost = true;
    options.random = true;
    options.seed = 31;
    const RecipeReading found = RecipeOfOptions(options);
    ASSERT_TRUE(found.recipe);
    KernelInputs inputs;
    inputs.type = 2;
    inputs.param = pdef[2];
    inputs.param.xstart = 0.25;
    inputs.param.ystart = 0.5;
    inputs.view = mmdef[2];
    inputs.ghost = true;
    const std::optional<ChaoticSet> set = SearchChaotic(inputs, 31);
    ASSERT_TRUE(set);
    EXPECT_EQ(found.recipe->param, set->param);
    EXPECT_EQ(set->tries, 2);
    EXPECT_EQ(set->param.a, -2.8260444959868161);
    EXPECT_EQ(set->param.b, -2.6304818872646258);
    EXPECT_EQ(set->param.c, -1.2957167271950438);
    EXPECT_EQ(set->param.d, 1.6099658192693869);
}

TEST(RecipeGan, ARecipesParameterFileReadsBackAsTheSameRecipe) {
    const ScratchDir scratch;
    RenderOptions options;
    options.type = 2;
    options.params = std::array<double, 4>{1.5, -1.25, 0.5, -0.75};
    options.start = std::array<double, 2>{0.25, 0.75};
    options.rotation = std::array<double, 3>{15, 30, 45};
    options.background = std::array<long, 3>{12, 34, 56};
    const RecipeReading given = RecipeOfOptions(options);
    ASSERT_TRUE(given.recipe);
    const auto bytes = GanBytesOfRecipe(*given.recipe);
    EXPECT_EQ(GanOfRecipe(*given.recipe).back, 0x0038220Cu);
    scratch.Write("set.gan", std::string(bytes.begin(), bytes.end()));

    RenderOptions fromFile;
    fromFile.gan = scratch / "set.gan";
    const RecipeReading read = RecipeOfOptions(fromFile);
    ASSERT_TRUE(read.recipe);
    EXPECT_EQ(*read.recipe, *given.recipe);
}

} // namespace
} // namespace orv::test
