#include "analysis/lyapunov.h"
#include "render/state.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orv {
namespace {

std::string exact(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

class Lyapunov : public ::testing::Test {
  protected:
    void SetUp() override { ResetRenderState(); }
};

// Reference figures were computed independently with the C library's sine
// and logarithm, step by step as the estimate is defined.
TEST_F(Lyapunov, TheDefaultStandardSetIsChaoticWithAKnownExponent) {
    EXPECT_EQ(lyapunov(), 0);
    EXPECT_EQ(exact(LExp), "0.48689556651783078");
}

TEST_F(Lyapunov, OrbitsThatMeetGiveTheFloorOfAbout33BitsBelowZero) {
    p[0].a = 0.0; // every point maps to the origin, so the companion meets the orbit
    p[0].b = 0.0;
    lyapunov();
    EXPECT_EQ(exact(LExp), "-33.219256981515557");
}

TEST_F(Lyapunov, RepeatedCallsGiveTheSameEstimate) {
    type = 1;
    lyapunov();
    const double first = LExp;
    LExp = 0.0;
    lyapunov();
    EXPECT_EQ(exact(LExp), exact(first));
}

TEST_F(Lyapunov, RotationViewWindowAndStartHeightDoNotChangeTheEstimate) {
    type = 2;
    lyapunov();
    const double plain = LExp;
    rot[2] = VOXEL{30.0, 45.0, 60.0};
    rotationorder = 4;
    mm[2] = MINMAX{-1.0, 1.0, -1.0, 1.0};
    p[2].zstart = 0.75;
    lyapunov();
    EXPECT_EQ(exact(LExp), exact(plain));
}

TEST_F(Lyapunov, LeavesTheRenderersCurrentPointAlone) {
    v = VOXEL{0.25, 0.5, 0.75};
    lyapunov();
    EXPECT_EQ(v.x, 0.25);
    EXPECT_EQ(v.y, 0.5);
    EXPECT_EQ(v.z, 0.75);
}

} // namespace
} // namespace orv
