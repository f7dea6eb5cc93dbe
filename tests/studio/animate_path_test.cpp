#include "studio/animate_path.h"
#include "studio/framing.h"

#include "analysis/randomparams.h"
#include "render/defaults.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace orv::test {
namespace {

// Two chaotic "Alpha" sets whose straight morph passes through sets that
// are not: its middle frames are near-black.
PosterRecipe Alpha(double a, double b, double c, double d) {
    PosterRecipe recipe;
    recipe.type = 1;
    recipe.param = PARAM{0.1, 0.1, 0.0, a, b, c, d};
    recipe.view = mmdef[1];
    recipe.res = 200;
    return recipe;
}

const PosterRecipe kFirst =
    Alpha(-1.9654225287636953, -2.9719840083010345, -0.55367442854091009, 0.6471373638111515);
const PosterRecipe kLast =
    Alpha(2.4098330637531662, -0.73455000457777642, -0.85425122837000644, -0.75117496261482586);

TEST(AnimatePath, AMorphThroughDeadSetsIsNamedFrameByFrame) {
    const std::vector<double> exponents = PathExponents(kFirst, kLast, std::nullopt, 30, {});
    ASSERT_EQ(exponents.size(), 30u);
    EXPECT_GE(exponents.front(), kChaoticExponent);
    EXPECT_GE(exponents.back(), kChaoticExponent);
    const std::vector<std::uint32_t> dead = DeadFrames(exponents);
    EXPECT_EQ(FrameRuns(dead), "10-23");
    const PathPlan plan = PlanPath(kFirst, kLast, std::nullopt, 30, false, false, std::nullopt);
    EXPECT_EQ(plan.warnings,
              std::vector<std::string>{
                  "warning: frames 10-23 of 30 leave chaos (Lyapunov exponent under 0.3) and may "
                  "be near-black or flash; --keep-chaotic bends the path through chaotic sets"});
    EXPECT_EQ(plan.first, kFirst);
    EXPECT_EQ(plan.last, kLast);
    EXPECT_TRUE(plan.shape.offsets.empty());
    // A turn of a chaotic set stays chaotic all round.
    EXPECT_TRUE(PlanPath(kFirst, kFirst, 1, 12, false, false, std::nullopt).warnings.empty());
}

TEST(AnimatePath, KeepingChaoticMovesEveryDeadFrameOntoAChaoticSetAndKeepsTheEnds) {
    const PathPlan plan = PlanPath(kFirst, kLast, std::nullopt, 30, false, true, std::nullopt);
    EXPECT_TRUE(plan.warnings.empty());
    ASSERT_EQ(plan.shape.offsets.size(), 30u);
    EXPECT_TRUE(DeadFrames(PathExponents(kFirst, kLast, std::nullopt, 30, plan.shape)).empty());
    EXPECT_EQ(FrameRecipe(kFirst, kLast, std::nullopt, 30, 0, plan.shape).param, kFirst.param);
    EXPECT_EQ(FrameRecipe(kFirst, kLast, std::nullopt, 30, 29, plan.shape).param, kLast.param);
    // Chaotic frames before the dead stretch keep to the straight path.
    EXPECT_EQ(plan.shape.offsets[8], (std::array<double, 4>{}));
    EXPECT_NE(plan.shape.offsets[15], (std::array<double, 4>{}));
}

TEST(AnimatePath, OneViewFramesTheSetOfEveryFrame) {
    const PathPlan plan = PlanPath(kFirst, kFirst, 2, 8, false, false, kDefaultMargin);
    EXPECT_EQ(plan.first.view, plan.last.view);
    EXPECT_NE(plan.first.view, kFirst.view);
    for (std::uint32_t i = 0; i < 8; ++i) {
        const std::optional<MINMAX> box =
            SetBox(FrameRecipe(plan.first, plan.last, 2, 8, i, plan.shape));
        ASSERT_TRUE(box);
        EXPECT_LE(plan.first.view.xmin, box->xmin) << "frame " << i + 1;
        EXPECT_GE(plan.first.view.xmax, box->xmax) << "frame " << i + 1;
        EXPECT_LE(plan.first.view.ymin, box->ymin) << "frame " << i + 1;
        EXPECT_GE(plan.first.view.ymax, box->ymax) << "frame " << i + 1;
    }
}

TEST(AnimatePath, EasingSlowsTheStartAndTheEndOfAMorphAndATurn) {
    const PathShape eased{true, {}};
    // Frame 2 of 5 is a quarter of the way: eased, 0.25² × (3 - 0.5) = 0.15625.
    EXPECT_DOUBLE_EQ(FrameRecipe(kFirst, kLast, std::nullopt, 5, 1, eased).param.a,
                     kFirst.param.a + (kLast.param.a - kFirst.param.a) * 0.15625);
    EXPECT_DOUBLE_EQ(FrameRecipe(kFirst, kLast, std::nullopt, 5, 2, eased).param.b,
                     kFirst.param.b + (kLast.param.b - kFirst.param.b) * 0.5);
    EXPECT_EQ(FrameRecipe(kFirst, kLast, std::nullopt, 5, 4, eased).param, kLast.param);
    // A turn of four frames: 0, 56.25, 180 and 303.75 degrees.
    EXPECT_DOUBLE_EQ(FrameRecipe(kFirst, kFirst, 2, 4, 1, eased).rotation.z, 56.25);
    EXPECT_DOUBLE_EQ(FrameRecipe(kFirst, kFirst, 2, 4, 3, eased).rotation.z, 303.75);
}

TEST(AnimatePath, FrameNumbersReadAsRuns) {
    EXPECT_EQ(FrameRuns({1, 2, 3, 5, 7, 8}), "1-3, 5, 7-8");
    EXPECT_EQ(FrameRuns({4}), "4");
    EXPECT_EQ(FrameRuns({}), "");
}

} // namespace
} // namespace orv::test
