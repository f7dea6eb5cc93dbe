// The orbits side by side in vector lanes: every path the processor has
// counts the very same grid, on any number of threads, while orbit 0 stays
// the desktop program's exact orbit.
#include "studio/lane_isa.h"
#include "studio/poster_orbits.h"

#include "render/defaults.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <vector>

namespace orv::test {
namespace {

constexpr LaneIsa kPaths[] = {LaneIsa::Scalar, LaneIsa::Sse2, LaneIsa::Avx2, LaneIsa::Avx512};

// ORVANTIS_ISA names the path while it lives.
class ForcedPath {
  public:
    explicit ForcedPath(LaneIsa isa) { setenv("ORVANTIS_ISA", LaneIsaName(isa), 1); }
    ~ForcedPath() { unsetenv("ORVANTIS_ISA"); }
    ForcedPath(const ForcedPath&) = delete;
    ForcedPath& operator=(const ForcedPath&) = delete;
};

PosterRecipe Recipe(int type, int method, std::uint64_t steps, std::uint32_t orbits) {
    PosterRecipe recipe;
    recipe.type = type;
    recipe.param = pdef[type];
    recipe.view = mmdef[type];
    recipe.res = 200;
    recipe.method = method;
    recipe.steps = steps;
    recipe.orbits = orbits;
    recipe.arithmetic = OrbitArithmetic::Lanes;
    return recipe;
}

// The values and the counts of the grid, one after the other.
std::vector<std::uint64_t> Counts(const PosterRecipe& recipe, unsigned threads) {
    std::optional<CountGrid> grid =
        CountGrid::Make(static_cast<int>(recipe.res * recipe.supersample), recipe.method != 1);
    EXPECT_TRUE(grid);
    RenderOrbits(
        recipe, *grid, threads, 0, [](std::uint64_t) {}, kNeverStop);
    std::vector<std::uint64_t> counts(grid->counts(), grid->counts() + grid->pixels());
    if (grid->values() != nullptr) {
        counts.insert(counts.end(), grid->values(), grid->values() + grid->pixels());
    }
    return counts;
}

std::uint64_t Total(const std::vector<std::uint64_t>& counts) {
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

TEST(OrbitLanes, EveryPathTheProcessorHasCountsTheSameGridOnOneTwoAndThreeThreads) {
    // Every map, each colouring, the ghost image and a turned picture; 13
    // orbits fill no path's lanes evenly, and the steps do not share evenly.
    std::vector<PosterRecipe> recipes = {Recipe(0, 0, 150001, 13), Recipe(1, 1, 150001, 13),
                                         Recipe(2, 2, 150001, 13), Recipe(3, 0, 150001, 13)};
    recipes[1].ghost = true;
    recipes[1].rotation = VOXEL{30.0, 0.0, 45.0};
    recipes[3].ghost = true;
    recipes[2].rotation = VOXEL{0.0, 20.0, 0.0};
    for (const PosterRecipe& recipe : recipes) {
        SCOPED_TRACE(recipe.type);
        std::vector<std::uint64_t> scalar;
        {
            const ForcedPath path(LaneIsa::Scalar);
            scalar = Counts(recipe, 1);
        }
        ASSERT_GT(Total(scalar), 100000u);
        for (const LaneIsa isa : kPaths) {
            if (!HasLaneIsa(isa)) {
                continue;
            }
            const ForcedPath path(isa);
            for (const unsigned threads : {1u, 2u, 3u}) {
                EXPECT_EQ(Counts(recipe, threads), scalar) << LaneIsaName(isa) << ", " << threads;
            }
        }
    }
}

TEST(OrbitLanes, OrbitZeroIsTheExactOrbitAndEveryOtherStepIsCountedOnce) {
    PosterRecipe lanes = Recipe(0, 1, 60000, 1);
    PosterRecipe exact = lanes;
    exact.arithmetic = OrbitArithmetic::Exact;
    EXPECT_EQ(Counts(lanes, 2), Counts(exact, 2));

    // Nine orbits: every step lands in the view, and only the desktop
    // program's first step is not counted; lanes beyond the orbits count
    // nothing.
    lanes.orbits = exact.orbits = 9;
    lanes.steps = exact.steps = 100003;
    const std::vector<std::uint64_t> side = Counts(lanes, 2);
    EXPECT_EQ(Total(side), 100002u);
    EXPECT_NE(side, Counts(exact, 2));
    for (const LaneIsa isa : kPaths) {
        if (HasLaneIsa(isa)) {
            const ForcedPath path(isa);
            EXPECT_EQ(Total(Counts(lanes, 1)), 100002u) << LaneIsaName(isa);
        }
    }
}

TEST(OrbitLanes, ThePathIsTheOneNamedOrTheWidestAndAnyOtherNameIsRefused) {
    EXPECT_EQ(ChooseLaneIsa(nullptr).isa, WidestLaneIsa());
    EXPECT_EQ(ChooseLaneIsa("").isa, WidestLaneIsa());
    EXPECT_EQ(ChooseLaneIsa("scalar").isa, LaneIsa::Scalar);
    EXPECT_EQ(ChooseLaneIsa("sse2").isa, LaneIsa::Sse2);
    EXPECT_TRUE(HasLaneIsa(LaneIsa::Sse2));
    for (const LaneIsa isa : {LaneIsa::Avx2, LaneIsa::Avx512}) {
        const IsaChoice choice = ChooseLaneIsa(LaneIsaName(isa));
        if (HasLaneIsa(isa)) {
            EXPECT_EQ(choice.isa, isa);
            EXPECT_EQ(choice.error, "");
        } else {
            EXPECT_FALSE(choice.isa);
            EXPECT_EQ(choice.error, std::string("ORVANTIS_ISA: this processor has no ") +
                                        LaneIsaName(isa) + " unit; it can run " +
                                        LaneIsaName(WidestLaneIsa()) + " and the narrower paths");
        }
    }
    const IsaChoice unknown = ChooseLaneIsa("AVX2");
    EXPECT_FALSE(unknown.isa);
    EXPECT_EQ(unknown.error, "ORVANTIS_ISA: 'AVX2' is not scalar, sse2, avx2 or avx512");
    EXPECT_EQ(LaneWidth(LaneIsa::Scalar) * LaneWidth(LaneIsa::Sse2) * LaneWidth(LaneIsa::Avx2) *
                  LaneWidth(LaneIsa::Avx512),
              64u);
}

} // namespace
} // namespace orv::test
