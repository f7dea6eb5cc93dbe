#include "engine_fixture.h"

#include "analysis/lyapunov.h"
#include "analysis/random.h"
#include "analysis/randomparams.h"
#include "analysis/search.h"
#include "render/surfaces.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace orv::test {
namespace {

std::string exact(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

bool sameBits(const PARAM& a, const PARAM& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ParamClip, RoundsSixFieldsDownToTwelveDecimalsAndLeavesZstartAlone) {
    PARAM q{0.1234567890123456, -0.5000000000004, 0.3333333333333333,
            0.5465974975879053, 2.02481449257876, 1.75,
            -0.987654321098765};
    paramclip(&q);
    EXPECT_EQ(exact(q.a), "0.54659749758499998") << "three passes, each a further 1e-12 lower";
    EXPECT_EQ(exact(q.b), "2.0248144925760001");
    EXPECT_EQ(exact(q.c), "1.75");
    EXPECT_EQ(exact(q.d), "-0.98765432109899998") << "negative values go towards minus infinity";
    EXPECT_EQ(exact(q.xstart), "0.123456789012");
    EXPECT_EQ(exact(q.ystart), "-0.50000000000099998");
    EXPECT_EQ(q.zstart, 0.3333333333333333);
}

TEST(SizeTest, RejectsSmallCombinationsAndAcceptsTheBoundary) {
    EXPECT_FALSE(PassesSizeTest(PARAM{0, 0, 0, 0.6, 0.6, 0.6, 0.6})) << "0.6 + 0.36 < 1";
    EXPECT_TRUE(PassesSizeTest(PARAM{0, 0, 0, 1.0, 0.5, 0.0, 1.0})) << "exactly 1 passes";
    EXPECT_FALSE(PassesSizeTest(PARAM{0, 0, 0, 1.0, 0.5, 0.0, 0.49}))
        << "|b| + |a||d| = 0.99 fails alone";
    EXPECT_TRUE(PassesSizeTest(PARAM{0, 0, 0, -0.5, -3.0, -1.75, -1.75})) << "magnitudes count";
}

class RandomSearch : public EngineTest {
  protected:
    // Puts the generator back to the state it starts with, 1, for the tests
    // after these in the same program.
    void TearDown() override {
        SeedRandom(1);
        EngineTest::TearDown();
    }
};

TEST_F(RandomSearch, AFoundSetIsDrawnInRangeAndKeepsTheStartPoint) {
    type = 3;
    p[3].xstart = 0.25;
    p[3].ystart = 0.75;
    p[3].zstart = 0.5;
    const PARAM before = p[3];
    debugflag = 1;
    const SearchResult result = randomparams();
    ASSERT_TRUE(result.found);
    EXPECT_GE(result.count, 1);
    EXPECT_LE(result.count, 100);
    EXPECT_TRUE(sameBits(result.previous, before));
    const PARAM& q = p[3];
    EXPECT_EQ(q.xstart, 0.25);
    EXPECT_EQ(q.ystart, 0.75);
    EXPECT_EQ(q.zstart, 0.5);
    for (double ab : {q.a, q.b}) {
        EXPECT_TRUE(std::fabs(ab) >= 0.5 && ab >= -3.0 && ab <= 3.0) << ab;
    }
    for (double cd : {q.c, q.d}) {
        EXPECT_TRUE(std::fabs(cd) >= 0.5 && cd >= -1.75 && cd <= 1.75) << cd;
    }
    EXPECT_TRUE(PassesSizeTest(q));
    EXPECT_GE(LExp, 0.3);
    PARAM clipped = q;
    paramclip(&clipped);
    EXPECT_TRUE(sameBits(RP, clipped)) << "RP holds the found set rounded, p[type] as drawn";
    EXPECT_TRUE(backend.messageBoxes.empty()) << "the search asks nothing, even in display mode";
    for (int k = 0; k < kTypes; ++k) {
        if (k != 3) {
            EXPECT_TRUE(sameBits(p[k], pdef[k])) << "type " << k << " is left alone";
        }
    }
}

TEST_F(RandomSearch, TheSearchAsAValueFindsWhatTheCommandFindsFromTheSameSeed) {
    for (int k = 0; k < kTypes; ++k) {
        type = k;
        p[k].zstart = 0.25;
        const std::uint32_t seed = 1000u + static_cast<std::uint32_t>(k);
        const std::optional<ChaoticSet> set = SearchChaotic(RenderInputs(), seed);
        SetRandomSeed(seed);
        ASSERT_TRUE(randomparams().found);
        SetRandomSeed(std::nullopt);
        ASSERT_TRUE(set.has_value());
        EXPECT_TRUE(sameBits(set->param, p[k])) << "type " << k;
        EXPECT_EQ(set->exponent, LExp) << "type " << k;
    }
}

TEST_F(RandomSearch, AHundredRejectedTriesLeaveTheSetAsItWas) {
    // An undefined start point makes every estimate fall to the floor.
    p[0].xstart = std::numeric_limits<double>::quiet_NaN();
    const PARAM before = p[0];
    const SearchResult result = randomparams();
    EXPECT_FALSE(result.found);
    EXPECT_TRUE(sameBits(p[0], before));
    EXPECT_TRUE(backend.messageBoxes.empty());
    EXPECT_LT(LExp, -33.0) << "the last estimate is not restored";
}

} // namespace
} // namespace orv::test
