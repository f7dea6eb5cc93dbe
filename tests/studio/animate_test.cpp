#include "studio/animate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace orv::test {
namespace {

TEST(AnimateFrames, AMorphRunsFromTheFirstSetToTheLastAndATurnLoops) {
    PosterRecipe first;
    first.param = PARAM{0.1, 0.2, 0.3, 1.0, -1.0, 0.5, 0.75};
    first.rotation = VOXEL{10.0, 20.0, 30.0};
    first.view = MINMAX{-2.0, 2.0, -1.0, 1.0};
    PosterRecipe last = first;
    last.param = PARAM{0.3, 0.4, 0.5, 2.0, 1.0, -0.5, 0.25};
    last.rotation = VOXEL{50.0, 20.0, 90.0};
    last.view = MINMAX{-3.0, 3.0, -2.0, 2.0};

    const PosterRecipe start = FrameRecipe(first, last, std::nullopt, 5, 0);
    EXPECT_EQ(start.param, first.param);
    EXPECT_EQ(start.rotation, first.rotation);
    const PosterRecipe end = FrameRecipe(first, last, std::nullopt, 5, 4);
    EXPECT_EQ(end.param, last.param);
    EXPECT_EQ(end.rotation, last.rotation);
    EXPECT_EQ(end.view, last.view);
    const PosterRecipe middle = FrameRecipe(first, last, std::nullopt, 5, 2);
    EXPECT_DOUBLE_EQ(middle.param.a, 1.5);
    EXPECT_DOUBLE_EQ(middle.param.zstart, 0.4);
    EXPECT_DOUBLE_EQ(middle.rotation.z, 60.0);
    EXPECT_DOUBLE_EQ(middle.view.ymax, 1.5);

    // Four frames of a turn about Y: 0, 90, 180 and 270 degrees added.
    const PosterRecipe turned = FrameRecipe(first, first, 1, 4, 3);
    EXPECT_DOUBLE_EQ(turned.rotation.y, 290.0);
    EXPECT_EQ(turned.rotation.x, 10.0);
    EXPECT_EQ(FrameRecipe(first, first, 2, 4, 2).rotation.z, 210.0);
    EXPECT_EQ(FrameRecipe(first, first, 0, 4, 0).rotation.x, 10.0);
}

TEST(AnimateScale, AJumpInTheProbesBecomesASlopeAndALoopWrapsAround) {
    std::vector<double> probes(12, 100.0);
    probes[6] = 800.0;
    const std::vector<PixelCount> scales = SmoothScales(probes, false);
    EXPECT_EQ(scales[0], 100u);
    EXPECT_EQ(scales[2], 100u) << "out of reach of the jump";
    EXPECT_EQ(scales[3], 200u) << "the mean of frames 0 to 6";
    EXPECT_EQ(scales[6], 200u);
    EXPECT_EQ(scales[9], 217u) << "six frames from the end";
    EXPECT_EQ(scales[10], 100u);
    EXPECT_EQ(SmoothScales({0.0, 0.0, 7.0}, false)[0], 2u) << "two neighbours at the start";

    std::vector<double> loop(10, 70.0);
    loop[0] = 140.0;
    const std::vector<PixelCount> round = SmoothScales(loop, true);
    EXPECT_EQ(round[9], 80u) << "the last frame sees the first";
    EXPECT_EQ(round[5], 70u);
    EXPECT_EQ(SmoothScales({0.2}, false)[0], 1u) << "never a scale of 0";
}

} // namespace
} // namespace orv::test
