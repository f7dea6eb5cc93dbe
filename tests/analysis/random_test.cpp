#include "analysis/random.h"
#include "analysis/randomparams.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

// Expected sequences were computed independently from the generator's
// definition.
TEST(Random, TheStateIsOneAtStart) {
    EXPECT_EQ(NextRandom(), 346);
    EXPECT_EQ(NextRandom(), 130);
    EXPECT_EQ(NextRandom(), 10982);
}

TEST(Random, SeedingRestartsTheSequence) {
    SeedRandom(12345);
    EXPECT_EQ(NextRandom(), 15301);
    EXPECT_EQ(NextRandom(), 24996);
    EXPECT_EQ(NextRandom(), 10921);
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 346);
}

TEST(Random, TheStarDrawStepsAllSixtyFourBits) {
    SeedRandom(1);
    EXPECT_EQ(NextStarRandom(), 5540u);
    EXPECT_EQ(NextStarRandom(), 221838220u);
    EXPECT_EQ(NextStarRandom(), 695693412u);
}

TEST(Random, TheSearchDrawKeepsTheHighBitsOfTheSharedState) {
    SeedRandom(1);
    NextStarRandom();
    NextStarRandom();
    NextStarRandom();
    EXPECT_EQ(NextRandom(), 18902);
    EXPECT_EQ(NextStarRandom(), 1703627569u);
    SeedRandom(1);
    EXPECT_EQ(NextRandom(), 346) << "seeding clears the high half";
}

// The first outputs of a SplitMix64 generator started at 0.
TEST(Random, SplitMix64MixesTheValueAfterAddingTheGoldenGamma) {
    EXPECT_EQ(SplitMix64(0), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(SplitMix64(0x9E3779B97F4A7C15ull), 0x6E789E6AA1B965F4ull);
    EXPECT_EQ(SplitMix64(1), 0x910A2DEC89025CC1ull);
}

TEST(Random, WjrandomReachesBothEndsOfTheUnitInterval) {
    SeedRandom(7);
    long double lowest = 2.0L;
    long double highest = -1.0L;
    for (int i = 0; i < 1 << 20; ++i) {
        const long double value = wjrandom();
        lowest = value < lowest ? value : lowest;
        highest = value > highest ? value : highest;
    }
    EXPECT_EQ(lowest, 0.0L);
    EXPECT_EQ(static_cast<double>(highest), 1.0);
}

} // namespace
} // namespace orv
