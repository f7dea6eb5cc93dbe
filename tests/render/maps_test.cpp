#include "render/maps.h"
#include "render/state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orv {
namespace {

class Maps : public ::testing::Test {
  protected:
    void SetUp() override { ResetRenderState(); }
    void TearDown() override { ResetRenderState(); }
};

TEST_F(Maps, StandardFirstIterateLandsAtColumn360Row320) {
    VOXEL next;
    int x = 0;
    int y = 0;
    standard(VOXEL{0.1, 0.1, 0.0}, &next, 0, &x, &y);
    EXPECT_NEAR(next.x, 0.5013428, 1e-7);
    EXPECT_NEAR(next.y, -0.1684381, 1e-7);
    EXPECT_NEAR(next.z, 0.0998334, 1e-7);
    EXPECT_EQ(x, 360);
    EXPECT_EQ(y, 320);
}

TEST_F(Maps, EachTypeFollowsItsFormula) {
    const VOXEL start{0.3, -0.7, 5.0};
    VOXEL next;
    int x;
    int y;
    type = 1;
    alpha(start, &next, 0, &x, &y);
    const PARAM& a = p[1];
    const double s = std::sin(a.b * 0.3);
    const double t = std::sin(a.a * -0.7);
    const double u = std::sin(a.c * -0.7);
    EXPECT_EQ(next.x, std::sin(a.b * -0.7) + s * s + s * s * s);
    EXPECT_EQ(next.y, std::sin(a.a * 0.3) + t * t + u * u * u);
    EXPECT_EQ(next.z, std::sin(0.3));
    type = 3;
    gamma(start, &next, 0, &x, &y);
    const PARAM& g = p[3];
    EXPECT_EQ(next.x, std::fabs(std::sin(g.b * -0.7)) + std::pow(std::sin(g.b * 0.3), 2));
    EXPECT_GE(next.y, 0.0);
}

TEST_F(Maps, ZstartAndOldZDoNotChangeTheNextPoint) {
    VOXEL a;
    VOXEL b;
    int x;
    int y;
    for (int t = 0; t < kTypes; ++t) {
        type = t;
        fpointer[t](VOXEL{0.2, 0.4, 0.0}, &a, 1, &x, &y);
        fpointer[t](VOXEL{0.2, 0.4, 0.9}, &b, 1, &x, &y);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
        EXPECT_EQ(a.z, b.z);
    }
}

TEST_F(Maps, ProjectionBoundaries) {
    int x;
    int y;
    project(VOXEL{2.5, 0.0, 0.0}, &x, &y);
    EXPECT_EQ(x, 600) << "xmax itself is one past the last column";
    project(VOXEL{0.0, 2.5, 0.0}, &x, &y);
    EXPECT_EQ(y, -1) << "ymax itself is one above the top row";
    project(VOXEL{-2.5 - 0.004, -2.5 - 0.004, 0.0}, &x, &y);
    EXPECT_EQ(x, 0) << "less than a pixel left of xmin truncates towards zero";
    EXPECT_EQ(y, 599);
    project(VOXEL{-2.5, -2.5, 0.0}, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 599);
}

TEST_F(Maps, NonFiniteCoordinatesLandOutsideTheImage) {
    int x;
    int y;
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    project(VOXEL{nan, nan, 0.0}, &x, &y);
    EXPECT_FALSE(x >= 0 && x < res && y >= 0 && y < res);
    project(VOXEL{inf, -inf, 0.0}, &x, &y);
    EXPECT_FALSE(x >= 0 && x < res);
    EXPECT_FALSE(y >= 0 && y < res);
    project(VOXEL{1e300, 1e300, 0.0}, &x, &y);
    EXPECT_FALSE(x >= 0 && x < res);
    p[0].c = 1e308;
    p[0].b = 1.0;
    VOXEL next;
    standard(VOXEL{1.0, 1.0, 0.0}, &next, 1, &x, &y);
    EXPECT_FALSE(x >= 0 && x < res);
}

TEST_F(Maps, GhostModeMirrorsCalls10001To20000) {
    ghostflag = 1;
    type = 2;
    VOXEL plain;
    VOXEL next;
    int x;
    int y;
    beta(VOXEL{0.1, 0.1, 0.0}, &plain, 1, &x, &y);
    beta(VOXEL{0.1, 0.1, 0.0}, &next, 0, &x, &y); // call 1 after the reset
    for (int call = 2; call <= 10000; ++call) {
        beta(VOXEL{0.1, 0.1, 0.0}, &next, call, &x, &y);
    }
    EXPECT_EQ(next.x, plain.x) << "call 10000";
    beta(VOXEL{0.1, 0.1, 0.0}, &next, 10001, &x, &y);
    EXPECT_EQ(next.x, -plain.x) << "call 10001";
    EXPECT_EQ(next.y, -plain.y);
    EXPECT_EQ(next.z, plain.z) << "z is never mirrored";
    for (int call = 10002; call <= 20000; ++call) {
        beta(VOXEL{0.1, 0.1, 0.0}, &next, call, &x, &y);
    }
    EXPECT_EQ(next.x, -plain.x) << "call 20000";
    EXPECT_EQ(GhostCount(1), 0);
    beta(VOXEL{0.1, 0.1, 0.0}, &next, 20001, &x, &y);
    EXPECT_EQ(next.x, plain.x) << "call 20001";
    EXPECT_EQ(GhostCount(1), 1);
}

TEST_F(Maps, GhostCounterRestsWhileGhostModeIsOffAndResetsAtIterZero) {
    type = 1;
    VOXEL next;
    int x;
    int y;
    ghostflag = 1;
    for (int call = 0; call < 5; ++call) {
        alpha(VOXEL{0.1, 0.1, 0.0}, &next, call, &x, &y);
    }
    EXPECT_EQ(GhostCount(0), 5);
    ghostflag = 0;
    alpha(VOXEL{0.1, 0.1, 0.0}, &next, 9, &x, &y);
    EXPECT_EQ(GhostCount(0), 5);
    alpha(VOXEL{0.1, 0.1, 0.0}, &next, 0, &x, &y);
    EXPECT_EQ(GhostCount(0), 0);
}

TEST_F(Maps, StandardIgnoresGhostMode) {
    VOXEL a;
    VOXEL b;
    int x;
    int y;
    VOXEL point{0.1, 0.1, 0.0};
    for (int i = 0; i < 10005; ++i) {
        standard(point, &a, i, &x, &y);
        point = a;
    }
    ghostflag = 1;
    point = VOXEL{0.1, 0.1, 0.0};
    for (int i = 0; i < 10005; ++i) {
        standard(point, &b, i, &x, &y);
        point = b;
    }
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
}

TEST_F(Maps, RotationMovesOnlyTheProjectionNotTheOrbit) {
    VOXEL plain;
    VOXEL turned;
    int x0;
    int y0;
    int x1;
    int y1;
    standard(VOXEL{0.1, 0.1, 0.0}, &plain, 1, &x0, &y0);
    rot[0] = VOXEL{0.0, 0.0, 90.0};
    standard(VOXEL{0.1, 0.1, 0.0}, &turned, 1, &x1, &y1);
    EXPECT_EQ(plain.x, turned.x);
    EXPECT_EQ(plain.y, turned.y);
    EXPECT_NE(x0, x1);
    rot[0] = VOXEL{360.0, 0.0, 0.0};
    standard(VOXEL{0.1, 0.1, 0.0}, &turned, 1, &x1, &y1);
    EXPECT_EQ(x0, x1);
    EXPECT_EQ(y0, y1);
}

} // namespace
} // namespace orv
