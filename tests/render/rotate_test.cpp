#include "render/rotate.h"
#include "render/state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv {
namespace {

class Rotation : public ::testing::Test {
  protected:
    void SetUp() override { ResetRenderState(); }
    void TearDown() override { ResetRenderState(); }

    VOXEL Turn(VOXEL point, VOXEL angles, int order) {
        rot[type] = angles;
        rotationorder = order;
        VOXEL out;
        rotatexyz(point, &out);
        return out;
    }
};

TEST_F(Rotation, NinetyDegreesAboutX) {
    for (int order = 0; order < 6; ++order) {
        const VOXEL r = Turn({0, 1, 0}, {90, 0, 0}, order);
        EXPECT_EQ(r.x, 0.0);
        EXPECT_NEAR(r.y, 1.2e-16, 1e-17);
        EXPECT_DOUBLE_EQ(r.z, -1.0);
    }
}

TEST_F(Rotation, NinetyDegreesAboutZ) {
    for (int order = 0; order < 6; ++order) {
        const VOXEL r = Turn({1, 0, 0}, {0, 0, 90}, order);
        EXPECT_NEAR(r.x, 1.2e-16, 1e-17);
        EXPECT_DOUBLE_EQ(r.y, -1.0);
        EXPECT_EQ(r.z, 0.0);
    }
}

TEST_F(Rotation, TheOrderMattersWhenTwoAxesTurn) {
    const VOXEL xyz = Turn({1, 0, 0}, {90, 0, 90}, 0);
    EXPECT_NEAR(xyz.x, 0.0, 1e-15);
    EXPECT_NEAR(xyz.y, -1.0, 1e-15);
    EXPECT_NEAR(xyz.z, 0.0, 1e-15);
    const VOXEL zyx = Turn({1, 0, 0}, {90, 0, 90}, 5);
    EXPECT_NEAR(zyx.x, 0.0, 1e-15);
    EXPECT_NEAR(zyx.y, 0.0, 1e-15);
    EXPECT_NEAR(zyx.z, 1.0, 1e-15);
}

TEST_F(Rotation, ThreeAnglesInTwoOrders) {
    const VOXEL xyz = Turn({0.5, 0.25, 0.1}, {30, 45, 60}, 0);
    EXPECT_NEAR(xyz.x, 0.394002, 5e-7);
    EXPECT_NEAR(xyz.y, -0.149419, 5e-7);
    EXPECT_NEAR(xyz.z, -0.380704, 5e-7);
    const VOXEL zyx = Turn({0.5, 0.25, 0.1}, {30, 45, 60}, 5);
    EXPECT_NEAR(zyx.x, 0.400580, 5e-7);
    EXPECT_NEAR(zyx.y, -0.396326, 5e-7);
    EXPECT_NEAR(zyx.z, -0.070432, 5e-7);
    const VOXEL other = Turn({0.5, 0.25, 0.1}, {30, 45, 60}, 17);
    EXPECT_EQ(other.x, zyx.x) << "an unknown order turns as ZYX";
}

TEST_F(Rotation, TheOriginStaysPut) {
    const VOXEL r = Turn({0, 0, 0}, {30, 45, 60}, 2);
    EXPECT_EQ(r.x, 0.0);
    EXPECT_EQ(r.y, 0.0);
    EXPECT_EQ(r.z, 0.0);
}

TEST_F(Rotation, AnglesAreKeptInRadians) {
    Turn({1, 1, 1}, {180, 0, 90}, 0);
    EXPECT_NEAR(static_cast<double>(xradians_user), 3.141592653589793, 1e-15);
    EXPECT_EQ(yradians_user, 0.0L);
    EXPECT_NEAR(static_cast<double>(zradians_user), 1.5707963267948966, 1e-15);
}

TEST_F(Rotation, PointsNearTheAxisTakeTheAxisAngle) {
    double a = 1.0;
    double b = 5e-7;
    rotate(&a, &b, 0.0);
    EXPECT_DOUBLE_EQ(a, std::sqrt(1.0 + 25e-14)) << "the modulus still includes the offset";
    EXPECT_NEAR(b, 0.0, 1e-16);
    double c = -1.0;
    double d = 0.0;
    rotate(&c, &d, 1.5707963267948966);
    // 3pi/2 + pi/2 is exactly 2pi and is not reduced.
    EXPECT_DOUBLE_EQ(d, 1.0);
}

} // namespace
} // namespace orv
