#include "render/colouring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace orv {
namespace {

// The poster's side of the values; the desktop's entries are pinned through
// plot(). A jump of length l is 170 l: 255 * 2/3 per unit.
TEST(ColouringValues, TheSpeedOfAJumpIsAPositionFrom1To255) {
    EXPECT_EQ(SpeedJump({0.6, 0.8, 5.0}, {0.0, 0.0, -5.0}), 170.0) << "z takes no part";
    EXPECT_DOUBLE_EQ(SpeedJump({1.0, 1.0, 0.0}, {1.3, 1.4, 0.0}), 85.0);
    EXPECT_EQ(SpeedPosition(0.5), 1.0);
    EXPECT_EQ(SpeedPosition(42.75), 42.75);
    EXPECT_EQ(SpeedPosition(1e300), 255.0);
}

TEST(ColouringValues, TheZPlaneHeightIs255TimesTheDistanceFromThePlane) {
    EXPECT_EQ(ZPlaneHeight({9.0, 9.0, -0.5}), 127.5);
    EXPECT_EQ(ZPlaneHeight({0.0, 0.0, 1.0}), 255.0);
    EXPECT_GT(ZPlaneHeight({0.0, 0.0, std::nextafter(1.0, 2.0)}), 255.0)
        << "the lowest point above 1 is not coloured";
    EXPECT_TRUE(std::isnan(ZPlaneHeight({0.0, 0.0, std::numeric_limits<double>::quiet_NaN()})));
}

TEST(ColouringValues, ABlendMovesEachChannelByTheFractionTowardsTheNextEntry) {
    unsigned char palette[768] = {};
    const unsigned char entries[] = {10, 20, 30, 30, 0, 30};
    std::copy(std::begin(entries), std::end(entries), palette + 3 * 10);
    const Colour quarter = PaletteBlend(palette, 10, 0.25);
    EXPECT_EQ(quarter.r, 15.0);
    EXPECT_EQ(quarter.g, 15.0);
    EXPECT_EQ(quarter.b, 30.0);
}

} // namespace
} // namespace orv
