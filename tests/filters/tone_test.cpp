#include "filters/tone.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv::tone {
namespace {

// Positions worked out from each filter's formula by hand; the desktop's
// filters paint the entry below a position, the poster blends at it.
TEST(ToneMap, NormalizeIs1024CountsOverTheMostUpTo255) {
    EXPECT_EQ(NormalizePosition(5, 2048), 2.5);
    EXPECT_EQ(NormalizePosition(3, 4096), 0.75);
    EXPECT_EQ(NormalizePosition(254, 1024), 254.0);
    EXPECT_EQ(NormalizePosition(300, 1024), 255.0);
    EXPECT_EQ(NormalizePosition(9, 3), 255.0) << "a count above the most (a steady scale)";
}

TEST(ToneMap, LogIsTheLogarithmOfTheCountOverThatOfTheMost) {
    const double plain = LogFactor(10000, false);
    const double squared = LogFactor(10000, true);
    EXPECT_DOUBLE_EQ(plain, 255.0 / std::log(10000.0));
    EXPECT_DOUBLE_EQ(squared, 255.0 / (std::log(10000.0) * std::log(10000.0)));
    // ln 100 is half of ln 10000: 255 / 2 and 255 / 4.
    EXPECT_DOUBLE_EQ(LogPosition(100, plain, false), 127.5);
    EXPECT_DOUBLE_EQ(LogPosition(100, squared, true), 63.75);
    EXPECT_DOUBLE_EQ(LogPosition(10, plain, false), 63.75);
    EXPECT_DOUBLE_EQ(LogPosition(10, squared, true), 15.9375);
    EXPECT_EQ(LogPosition(1, plain, false), 0.0);
    EXPECT_EQ(LogPosition(1, squared, true), 0.0);
    EXPECT_EQ(LogPosition(1e8, plain, false), 255.0) << "above the most";
    EXPECT_EQ(LogPosition(1e8, squared, true), 255.0);
}

TEST(ToneMap, EqualizeSpreadsTheCumulativeCountsOverEntries1To255) {
    // Nine pixels, four unlit, the others with counts 1, 1, 2, 3, 3: the
    // cumulative numbers are 2, 3 and 5, spread over 5 - 1 = 4.
    const double spread = EqualizeSpread(9, 4);
    EXPECT_EQ(spread, 4.0);
    EXPECT_EQ(EqualizePosition<double>(2, 2, spread), 1.0);
    EXPECT_EQ(EqualizePosition<double>(3, 2, spread), 64.5);
    EXPECT_EQ(EqualizePosition<double>(5, 2, spread), 191.5);
    EXPECT_EQ(EqualizePosition<unsigned>(3, 2, spread), 64u) << "truncated, then 1 added";
    EXPECT_EQ(EqualizePosition<unsigned>(5, 2, spread), 191u);
    // Over a spread of 3: 254 / 3 + 1 = 85.67 lies in entry 85.
    EXPECT_DOUBLE_EQ(EqualizePosition<double>(3, 2, 3.0), 254.0 / 3.0 + 1.0);
    EXPECT_EQ(EqualizePosition<unsigned>(3, 2, 3.0), 85u);
    EXPECT_EQ(EqualizeSpread(9, 8), 0.0) << "a single lit pixel leaves no spread";
}

} // namespace
} // namespace orv::tone
