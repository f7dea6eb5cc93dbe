#include "studio/poster_render.h"

#include "render/defaults.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <numeric>

namespace orv::test {
namespace {

PosterRecipe Recipe(std::uint64_t steps) {
    PosterRecipe recipe;
    recipe.type = 1;
    recipe.param = pdef[1];
    recipe.view = mmdef[1];
    recipe.res = 200;
    recipe.method = 1;
    recipe.steps = steps;
    recipe.orbits = 4;
    return recipe;
}

std::uint64_t Counted(const CountGrid& grid) {
    return std::accumulate(grid.counts(), grid.counts() + grid.pixels(), std::uint64_t{0});
}

TEST(RenderPoster, AStopFlagEndsTheOrbitsAtTheirNextReportAndTheResultSaysSo) {
    const PosterRecipe run = Recipe(100000);
    const PosterCounts whole = RenderPoster(
        run, 2, [](std::uint64_t) {}, kNeverStop);
    ASSERT_TRUE(whole.grid);
    EXPECT_EQ(whole.end, PosterEnd::Rendered);
    EXPECT_EQ(whole.grid->width(), 200);
    EXPECT_EQ(whole.grid->height(), 200);
    // Every step but the desktop program's first lands in the view.
    EXPECT_EQ(Counted(*whole.grid), 99999u);

    // Set before the start: not one point is counted.
    const std::atomic<bool> stopped{true};
    const PosterCounts none = RenderPoster(
        run, 2, [](std::uint64_t) {}, stopped);
    ASSERT_TRUE(none.grid);
    EXPECT_EQ(none.end, PosterEnd::Stopped);
    EXPECT_EQ(Counted(*none.grid), 0u);

    // Set at the first report of a long render: the threads end long before
    // its four billion steps.
    const PosterRecipe longRun = Recipe(4000000000u);
    std::atomic<bool> stop{false};
    std::uint64_t reports = 0;
    const PosterCounts part = RenderPoster(
        longRun, 2,
        [&](std::uint64_t) {
            ++reports;
            stop = true;
        },
        stop);
    ASSERT_TRUE(part.grid);
    EXPECT_EQ(part.end, PosterEnd::Stopped);
    EXPECT_EQ(reports, 1u);
    EXPECT_LT(Counted(*part.grid), longRun.steps / 10);
}

TEST(RenderPoster, AWidePosterCountsOnAWideGridAndItsMemoryIsCheckedAtItsSize) {
    PosterRecipe wide = Recipe(100000);
    wide.res = 320;
    wide.height = 200;
    wide.supersample = 2;
    const PosterCounts made = RenderPoster(
        wide, 1, [](std::uint64_t) {}, kNeverStop);
    ASSERT_TRUE(made.grid);
    EXPECT_EQ(made.grid->width(), 640);
    EXPECT_EQ(made.grid->height(), 400);

    wide.res = 400000;
    wide.height = 300000;
    const PosterCounts refused = RenderPoster(
        wide, 1, [](std::uint64_t) {}, kNeverStop);
    EXPECT_EQ(refused.end, PosterEnd::NoMemory);
    EXPECT_EQ(refused.error.rfind("--size 400000x300000 with --supersample 2 needs 1788.3 GiB of "
                                  "memory; ",
                                  0),
              0u)
        << refused.error;
}

} // namespace
} // namespace orv::test
