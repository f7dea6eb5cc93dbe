#include "studio/frame_options.h"
#include "studio/framing.h"
#include "studio/picture_write.h"
#include "studio/poster_options.h"
#include "studio/recipe_from_options.h"

#include "render/limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace orv::test {
namespace {

// The start-up recipe of a type, at the size and framing of the options.
PosterRecipe Recipe(int type, const FrameOptions& frame, std::optional<double> margin) {
    RenderOptions picture;
    picture.type = type;
    picture.method = 1;
    picture.steps = 300'000;
    picture.display = BatchDisplay::Quiet;
    const RecipeReading reading = RecipeOfOptions(picture);
    return SizedRecipe(*reading.recipe, frame, margin);
}

FrameOptions Size(long width, long height) {
    FrameOptions frame;
    frame.size = std::array<long, 2>{width, height};
    return frame;
}

// The pixels, left and right, top and bottom, between which all but 0.1% of
// the counts lie at each end of each axis.
struct Trim {
    double left, right, top, bottom;
};

Trim TrimBox(const CountGrid& grid) {
    std::vector<double> columns(static_cast<std::size_t>(grid.width()));
    std::vector<double> rows(static_cast<std::size_t>(grid.height()));
    double total = 0.0;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < columns.size(); ++x) {
            const double count = grid.counts()[y * columns.size() + x];
            columns[x] += count;
            rows[y] += count;
            total += count;
        }
    }
    auto ends = [&](const std::vector<double>& sums, double& first, double& last) {
        double seen = 0.0;
        first = -1.0;
        for (std::size_t i = 0; i < sums.size(); ++i) {
            seen += sums[i];
            if (first < 0.0 && seen > 0.001 * total) {
                first = static_cast<double>(i);
            }
            if (seen < 0.999 * total) {
                last = static_cast<double>(i + 1);
            }
        }
    };
    Trim trim{};
    ends(columns, trim.left, trim.right);
    ends(rows, trim.top, trim.bottom);
    return trim;
}

// Centred within 3% of the picture, and spanning from 84% to 92% of it (90%
// inside a 5% margin) along the tighter axis and at most that along the
// other.
void ExpectFramed(const PosterRecipe& recipe, const std::string& name) {
    const std::optional<CountGrid> grid = RenderGrid(recipe);
    ASSERT_TRUE(grid);
    const Trim trim = TrimBox(*grid);
    const double width = static_cast<double>(recipe.res);
    const double height = static_cast<double>(recipe.rows());
    EXPECT_NEAR((trim.left + trim.right) / 2.0 / width, 0.5, 0.03) << name;
    EXPECT_NEAR((trim.top + trim.bottom) / 2.0 / height, 0.5, 0.03) << name;
    const double across = (trim.right - trim.left) / width;
    const double down = (trim.bottom - trim.top) / height;
    EXPECT_GT(std::max(across, down), 0.84) << name;
    EXPECT_LT(std::max(across, down), 0.92) << name;
    std::string refusal;
    MINMAX view = recipe.view;
    EXPECT_TRUE(ClampRange(view.xmin, view.xmax, -5.0, 5.0) &&
                ClampRange(view.ymin, view.ymax, -5.0, 5.0))
        << name;
    EXPECT_EQ(view, recipe.view) << name << ": the desktop program would change the view";
}

TEST(Framing, AFittedSetIsCentredAndFillsThePictureOfEveryTypeAndShape) {
    const char* const names[] = {"standard", "alpha", "beta", "gamma"};
    for (int type = 0; type < 4; ++type) {
        ExpectFramed(Recipe(type, Size(200, 200), kDefaultMargin), names[type]);
        ExpectFramed(Recipe(type, Size(320, 180), kDefaultMargin),
                     std::string(names[type]) + " 16:9");
        ExpectFramed(Recipe(type, Size(200, 300), kDefaultMargin),
                     std::string(names[type]) + " 2:3");
    }
}

TEST(Framing, TheSetsBoxLeavesOutTheRarePointsThatStray) {
    // 0, 1, ..., 1999 on x and twice that on y, and two strays far out (one
    // at each end of x, both at the top of y): the two furthest at each end
    // of each axis are left out.
    std::vector<double> xs;
    std::vector<double> ys;
    for (int i = 0; i < 2000; ++i) {
        xs.push_back(i);
        ys.push_back(2.0 * i);
    }
    xs.insert(xs.end(), {-1e6, 1e6});
    ys.insert(ys.end(), {1e6, 1e6});
    EXPECT_EQ(TrimmedBox(xs, ys), (MINMAX{1.0, 1998.0, 4.0, 3998.0}));
    EXPECT_EQ(TrimmedBox({0.5}, {0.25}), (MINMAX{0.5, 0.5, 0.25, 0.25}));
    EXPECT_EQ(TrimmedBox({}, {}), std::nullopt);
}

TEST(Framing, AFittedViewHoldsTheBoxWithItsMarginWithinTheDesktopsLimits) {
    // 2 x 1 in 90% of 200 pixels: 1/90 a pixel, the view 200/90 = 2.222 wide.
    EXPECT_EQ(FitView(MINMAX{-1.0, 1.0, 0.0, 1.0}, 5.0, 200, 200),
              (MINMAX{-10.0 / 9.0, 10.0 / 9.0, 0.5 - 10.0 / 9.0, 0.5 + 10.0 / 9.0}));
    // Without a margin at 16:9 the box's height fills the picture.
    const MINMAX wide = FitView(MINMAX{0.0, 1.0, 0.0, 1.0}, 0.0, 320, 180);
    EXPECT_DOUBLE_EQ(wide.ymax - wide.ymin, 1.0);
    EXPECT_DOUBLE_EQ(wide.xmax - wide.xmin, 16.0 / 9.0);
    // A dot gets the narrowest view allowed, a little more to be safe from
    // rounding; a set wider than the limits gets the limits.
    const MINMAX dot = FitView(MINMAX{0.3, 0.3, 0.2, 0.2}, 5.0, 320, 180);
    EXPECT_DOUBLE_EQ(dot.ymax - dot.ymin, 0.05005);
    EXPECT_DOUBLE_EQ(dot.xmax - dot.xmin, 0.05005 * 16.0 / 9.0);
    EXPECT_DOUBLE_EQ((dot.xmin + dot.xmax) / 2.0, 0.3);
    EXPECT_EQ(FitView(MINMAX{-20.0, 20.0, -20.0, 20.0}, 5.0, 200, 200),
              (MINMAX{-5.0, 5.0, -5.0, 5.0}));
    // A box by an edge of the limits is moved in rather than cut.
    EXPECT_EQ(FitView(MINMAX{4.0, 5.0, -0.5, 0.5}, 0.0, 200, 200), (MINMAX{4.0, 5.0, -0.5, 0.5}));
    EXPECT_EQ(FitView(MINMAX{4.5, 5.5, -0.5, 0.5}, 0.0, 200, 200), (MINMAX{4.0, 5.0, -0.5, 0.5}));
}

void ExpectView(const MINMAX& view, const MINMAX& expected) {
    EXPECT_DOUBLE_EQ(view.xmin, expected.xmin);
    EXPECT_DOUBLE_EQ(view.xmax, expected.xmax);
    EXPECT_DOUBLE_EQ(view.ymin, expected.ymin);
    EXPECT_DOUBLE_EQ(view.ymax, expected.ymax);
}

TEST(Framing, AViewGrowsAboutItsCentreToThePicturesShapeAndShrinksOnlyAtTheLimits) {
    ExpectView(AspectView(MINMAX{-1.0, 1.0, 0.0, 2.0}, 320, 180),
               MINMAX{-16.0 / 9.0, 16.0 / 9.0, 0.0, 2.0});
    ExpectView(AspectView(MINMAX{-1.0, 1.0, 0.0, 2.0}, 180, 320),
               MINMAX{-1.0, 1.0, 1.0 - 16.0 / 9.0, 1.0 + 16.0 / 9.0});
    EXPECT_EQ(AspectView(MINMAX{-5.0, 5.0, -5.0, 5.0}, 320, 180),
              (MINMAX{-5.0, 5.0, -2.8125, 2.8125}));
}

TEST(Framing, PixelsStaySquareAtEveryShape) {
    // The same view height at 1:1 and 16:9: the set keeps its size in
    // pixels and its place about the centre.
    FrameOptions square = Size(200, 200);
    FrameOptions wide = Size(356, 200);
    const std::optional<CountGrid> one = RenderGrid(Recipe(0, square, std::nullopt));
    const std::optional<CountGrid> other = RenderGrid(Recipe(0, wide, std::nullopt));
    ASSERT_TRUE(one && other);
    const Trim a = TrimBox(*one);
    const Trim b = TrimBox(*other);
    EXPECT_NEAR(a.right - a.left, b.right - b.left, 1.0);
    EXPECT_NEAR(a.bottom - a.top, b.bottom - b.top, 1.0);
    EXPECT_NEAR((a.left + a.right) / 2.0 - 100.0, (b.left + b.right) / 2.0 - 178.0, 1.0);
    // --size NxN is --res N: the same recipe, square.
    EXPECT_EQ(Recipe(0, square, std::nullopt).height, 0);
    RenderOptions picture;
    picture.res = 200;
    picture.method = 1;
    picture.steps = 300'000;
    EXPECT_EQ(Recipe(0, square, std::nullopt), *RecipeOfOptions(picture).recipe);
    // A view given for a square picture stays as it is.
    picture.view = std::array<double, 4>{-1.0, 2.0, -1.0, 1.0};
    const PosterRecipe given = *RecipeOfOptions(picture).recipe;
    EXPECT_EQ(SizedRecipe(given, square, std::nullopt), given);
}

std::string Refusal(std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "p.png"});
    const PosterCommandLine line = ParsePosterOptions(args);
    return line.action == CommandLineAction::Error ? line.error : "accepted";
}

TEST(FrameOptions, NonsenseIsRefusedNamingTheOptionAndItsValue) {
    const std::string sizes = " is not WIDTHxHEIGHT in pixels, each from 200 to 1000000000";
    EXPECT_EQ(Refusal({"--size", "0x5"}), "--size: '0x5'" + sizes);
    EXPECT_EQ(Refusal({"--size", "1920"}), "--size: '1920'" + sizes);
    EXPECT_EQ(Refusal({"--size=1920x-1080"}), "--size: '1920x-1080'" + sizes);
    EXPECT_EQ(Refusal({"--size", "199x300"}), "--size: '199x300'" + sizes);
    EXPECT_EQ(Refusal({"--size", "1920x1080"}), "accepted");
    EXPECT_EQ(Refusal({"--size", "200X1000000000"}), "accepted");
    const std::string margins = " is not a margin from 0 to 40 percent";
    EXPECT_EQ(Refusal({"--fit", "--margin", "60"}), "--margin: '60'" + margins);
    EXPECT_EQ(Refusal({"--margin", "nan"}), "--margin: 'nan'" + margins);
    EXPECT_EQ(Refusal({"--margin=-1"}), "--margin: '-1'" + margins);
    EXPECT_EQ(Refusal({"--margin", "40"}), "accepted");
    EXPECT_EQ(Refusal({"--fit=yes"}), "--fit takes no value");
    EXPECT_EQ(Refusal({"--fit", "--view", "-1,1,-1,1"}),
              "--fit chooses the view itself; it cannot be combined with --view");
    EXPECT_EQ(Refusal({"--size", "300x200", "--res", "300"}),
              "--size and --res both give the picture's size; give one of them");
    EXPECT_EQ(Refusal({"--no-fit", "--margin", "3"}),
              "--margin frames the set; it cannot be combined with --no-fit");
    EXPECT_EQ(Refusal({"--recipe", "old.png", "--fit"}),
              "--size, --fit and --margin cannot be combined with --recipe, which gives the "
              "whole picture");
}

TEST(FrameOptions, PostersFitOnlyWhenAskedAndGalleriesUnlessAViewIsGiven) {
    FrameOptions frame;
    RenderOptions picture;
    EXPECT_EQ(FitMargin(frame, picture, false), std::nullopt);
    EXPECT_EQ(FitMargin(frame, picture, true), kDefaultMargin);
    frame.margin = 2.5;
    EXPECT_EQ(FitMargin(frame, picture, false), 2.5);
    picture.view = std::array<double, 4>{-1, 1, -1, 1};
    frame.margin.reset();
    EXPECT_EQ(FitMargin(frame, picture, true), std::nullopt);
    frame.fit = false;
    picture.view.reset();
    EXPECT_EQ(FitMargin(frame, picture, true), std::nullopt);
}

} // namespace
} // namespace orv::test
