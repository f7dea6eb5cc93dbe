#include "render/limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orv {
namespace {

TEST(Clamping, ResolutionStaysBetween200And4000) {
    EXPECT_EQ(ClampResolution(100), 200);
    EXPECT_EQ(ClampResolution(0), 200);
    EXPECT_EQ(ClampResolution(5000), 4000);
    EXPECT_EQ(ClampResolution(600), 600);
    EXPECT_EQ(ClampResolution(std::numeric_limits<long>::max()), 4000);
}

TEST(Clamping, ParametersStayWithinTheirRanges) {
    EXPECT_EQ(ClampAB(4.0), 3.0);
    EXPECT_EQ(ClampAB(-3.5), -3.0);
    EXPECT_EQ(ClampAB(-0.966918), -0.966918);
    EXPECT_EQ(ClampCD(-2.0), -1.75);
    EXPECT_EQ(ClampCD(1.75), 1.75);
    EXPECT_EQ(ClampCD(std::numeric_limits<double>::infinity()), 1.75);
}

TEST(Clamping, RotationsAndStartPoints) {
    EXPECT_EQ(ClampRotation(-10.0), 0.0);
    EXPECT_EQ(ClampRotation(400.0), 360.0);
    EXPECT_EQ(ClampRotation(360.0), 360.0);
    EXPECT_EQ(ClampStart(0.0), 0.01);
    EXPECT_EQ(ClampStart(1.0), 0.99);
    EXPECT_EQ(ClampStart(0.5), 0.5);
}

TEST(Clamping, NotANumberReadsAsZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ClampAB(nan), 0.0);
    EXPECT_EQ(ClampStart(nan), 0.01);
    EXPECT_EQ(ClampRotation(nan), 0.0);
    double low = nan;
    double high = 1.0;
    EXPECT_TRUE(ClampRange(low, high, -5.0, 5.0));
    EXPECT_EQ(low, 0.0);
}

TEST(Clamping, BackgroundComponents) {
    EXPECT_EQ(ClampColor(300), 255);
    EXPECT_EQ(ClampColor(128), 128);
    EXPECT_EQ(ClampColor(-5), 0);
}

TEST(ViewWindow, SwappedClampedAndRefusedWhenTooNarrow) {
    double low = 2.0;
    double high = -2.0;
    EXPECT_TRUE(ClampRange(low, high, -5.0, 5.0));
    EXPECT_EQ(low, -2.0);
    EXPECT_EQ(high, 2.0);
    low = -9.0;
    high = 9.0;
    EXPECT_TRUE(ClampRange(low, high, -5.0, 5.0));
    EXPECT_EQ(low, -5.0);
    EXPECT_EQ(high, 5.0);
    low = 1.0;
    high = 1.04;
    EXPECT_FALSE(ClampRange(low, high, -5.0, 5.0));
    // 0.05 - 0.0 is exactly the double 0.05: the narrowest window allowed.
    low = 0.0;
    high = 0.05;
    EXPECT_TRUE(ClampRange(low, high, -5.0, 5.0));
    low = 0.0;
    high = std::nextafter(0.05, 0.0);
    EXPECT_FALSE(ClampRange(low, high, -5.0, 5.0));
    low = 7.0;
    high = 9.0;
    EXPECT_FALSE(ClampRange(low, high, -5.0, 5.0)) << "both ends beyond the outer limit";
}

} // namespace
} // namespace orv
