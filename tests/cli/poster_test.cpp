// `orvantis poster`: the picture depends on its options only, its first orbit
// is the desktop program's, and its files say what they hold.
#include "batch_fixture.h"
#include "engine_fixture.h"

#include "analysis/workers.h"
#include "cli/poster.h"
#include "cli/poster_state.h"
#include "files/gan.h"
#include "palette/palette.h"
#include "render/plot.h"
#include "render/state.h"
#include "studio/poster_colour.h"
#include "studio/poster_files.h"
#include "studio/poster_orbits.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <set>
#include <sstream>

namespace orv::test {
namespace {

// A PNG as it is stored: side, bits per channel, three values a pixel.
struct Picture {
    int side = 0;
    int depth = 0;
    std::vector<unsigned> values;
};

Picture ReadPicture(const std::string& path) {
    Picture picture;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        ADD_FAILURE() << "no file " << path;
        return picture;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        picture.side = static_cast<int>(png_get_image_width(png, info));
        picture.depth = png_get_bit_depth(png, info);
        png_bytepp rows = png_get_rows(png, info);
        for (int y = 0; y < picture.side; ++y) {
            for (int i = 0; i < 3 * picture.side; ++i) {
                picture.values.push_back(
                    picture.depth == 16 ? rows[y][2 * i] << 8 | rows[y][2 * i + 1] : rows[y][i]);
            }
        }
    } else {
        ADD_FAILURE() << "damaged PNG " << path;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return picture;
}

// The counts of an OpenEXR counts file, with its channels by name and type.
struct CountsFile {
    int width = 0;
    int height = 0;
    std::string channels;
    std::vector<PixelCount> counts;

    bool operator==(const CountsFile&) const = default;
};

CountsFile ReadCountsFile(const std::string& path) {
    Imf::InputFile input(path.c_str());
    CountsFile file;
    file.width = input.header().dataWindow().max.x + 1;
    file.height = input.header().dataWindow().max.y + 1;
    const std::size_t pixels = static_cast<std::size_t>(file.width) * file.height;
    std::vector<std::vector<std::uint32_t>> values;
    Imf::FrameBuffer buffer;
    for (auto channel = input.header().channels().begin();
         channel != input.header().channels().end(); ++channel) {
        const bool whole = channel.channel().type == Imf::UINT;
        file.channels += (file.channels.empty() ? "" : " ") + std::string(channel.name()) +
                         (whole ? ":uint" : ":float");
        values.emplace_back(pixels);
        buffer.insert(channel.name(), Imf::Slice(channel.channel().type,
                                                 reinterpret_cast<char*>(values.back().data()), 4,
                                                 4 * static_cast<std::size_t>(file.width)));
    }
    input.setFrameBuffer(buffer);
    input.readPixels(0, file.height - 1);
    file.counts.resize(pixels);
    for (std::size_t i = 0; i < pixels; ++i) {
        if (file.channels == "Y:float") {
            float value = 0.0f;
            std::memcpy(&value, &values[0][i], sizeof value);
            file.counts[i] = static_cast<PixelCount>(value);
        } else if (values.size() == 2) {
            file.counts[i] = PixelCount{values[0][i]} << 32 | values[1][i];
        } else {
            file.counts[i] = values[0][i];
        }
    }
    return file;
}

class PosterTest : public BatchTest {
  protected:
    BatchRun Poster(std::vector<std::string> args) {
        const PosterCommandLine line = ParsePosterOptions(args);
        EXPECT_EQ(line.action, CommandLineAction::Render) << line.error;
        std::ostringstream out;
        std::ostringstream err;
        BatchRun run;
        run.code = RunPoster(line.options, out, err, false);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
};

using PosterOptionsTest = ::testing::Test;

TEST(PosterOptionsTest, PosterOptionsAreCheckedAndTheRestIsRenders) {
    const PosterCommandLine line = ParsePosterOptions(
        {"--orbits", "8", "--threads=3", "--supersample", "4", "--depth", "16", "--res", "20000",
         "--counts", "c.exr", "--type", "beta", "-o", "p.PNG"});
    ASSERT_EQ(line.action, CommandLineAction::Render) << line.error;
    EXPECT_EQ(line.options.orbits, 8u);
    EXPECT_EQ(*line.options.threads, 3u);
    EXPECT_EQ(line.options.supersample, 4);
    EXPECT_EQ(line.options.depth, 16);
    EXPECT_EQ(*line.options.picture.res, 20000);
    EXPECT_EQ(*line.options.picture.type, 2);
    EXPECT_EQ(*line.options.counts, "c.exr");
    EXPECT_FALSE(line.options.exactOrbits);
    EXPECT_TRUE(ParsePosterOptions({"--exact-orbits", "-o", "p.png"}).options.exactOrbits);

    const auto refused = [](std::vector<std::string> args) {
        return ParsePosterOptions(args).error;
    };
    EXPECT_EQ(refused({"--supersample", "5", "-o", "p.png"}),
              "--supersample: '5' is not 1, 2, 3 or 4");
    EXPECT_EQ(refused({"--depth", "12", "-o", "p.png"}), "--depth: '12' is not 8 or 16");
    EXPECT_EQ(refused({"--orbits", "0", "-o", "p.png"}),
              "--orbits: '0' is not a number of orbits from 1 to 65536");
    EXPECT_EQ(refused({"-o", "p.tga"}), "-o: 'p.tga' must end in .png: a poster is a PNG file");
    EXPECT_EQ(refused({"--lmap", "-o", "p.png"}),
              "--lmap: a poster draws the attractor; render draws the Lyapunov map");
    EXPECT_EQ(
        ParsePosterOptions({"--steps", "9223372036854775807", "-o", "p.png"}).options.picture.steps,
        9223372036854775807u);
    EXPECT_EQ(refused({"--steps", "9223372036854775808", "-o", "p.png"}),
              "--steps: a poster takes at most 9223372036854775807 steps");
    EXPECT_EQ(refused({"--recipe", "r.png", "--type", "beta", "-o", "p.png"}),
              "--type cannot be combined with --recipe, which gives the whole picture");
    EXPECT_EQ(refused({"--recipe", "r.png", "--exact-orbits", "-o", "p.png"}),
              "--exact-orbits cannot be combined with --recipe, which gives the whole picture");
    EXPECT_EQ(ParsePosterOptions({"--recipe", "r.png", "--threads", "2", "--quiet", "-o", "p.png"})
                  .action,
              CommandLineAction::Render);
}

TEST_F(PosterTest, TheFileIsTheSameFromOneAndFromTwoThreads) {
    const std::vector<std::string> picture = {"--method",      "speed", "--res",   "200",
                                              "--orbits",      "5",     "--steps", "200000",
                                              "--supersample", "2",     "--quiet"};
    auto one = picture;
    one.insert(one.end(), {"--threads", "1", "-o", Path("one.png")});
    auto two = picture;
    two.insert(two.end(), {"--threads", "2", "-o", Path("two.png")});
    ASSERT_EQ(Poster(one).code, 0);
    ASSERT_EQ(Poster(two).code, 0);
    EXPECT_EQ(ReadBytes(Path("one.png")), ReadBytes(Path("two.png")));
}

// The desktop program's counts after a number of render steps.
class PosterOrbits : public EngineTest {
  protected:
    std::vector<float> RenderCounts(long steps) {
        firstloop = 1;
        Steps(steps);
        return {hitcount, hitcount + static_cast<std::size_t>(res) * res};
    }
};

TEST_F(PosterOrbits, OneOrbitCountsWhatTheDesktopProgramCounts) {
    res = 200;
    dres = 200;
    ResizeImage();
    type = 1;
    ghostflag = 1;
    rot[1] = VOXEL{30.0, 0.0, 45.0};
    method[1] = 1;
    // Past 20000 steps the ghost image has been drawn and left again.
    const std::vector<float> expected = RenderCounts(25000);

    RenderOptions options;
    options.steps = 25000;
    PosterRecipe recipe = RecipeFromState(options);
    ASSERT_TRUE(recipe.ghost);
    std::optional<CountGrid> grid = CountGrid::Make(200, false);
    ASSERT_TRUE(grid);
    RenderOrbits(
        recipe, *grid, 2, 0, [](std::uint64_t) {}, kNeverStop);
    const std::vector<float> counts(grid->counts(), grid->counts() + grid->pixels());
    EXPECT_EQ(counts, expected);
}

TEST_F(PosterOrbits, TheSharesOfTheRanksAddUpToTheWholePoster) {
    method[0] = 0;
    RenderOptions options;
    options.steps = 50001;
    PosterRecipe recipe = RecipeFromState(options);
    recipe.res = 200;
    recipe.orbits = 5;
    std::optional<CountGrid> whole = CountGrid::Make(200, true);
    ASSERT_TRUE(whole);
    RenderOrbits(
        recipe, *whole, 2, 0, [](std::uint64_t) {}, kNeverStop);

    // Three ranks: two take two orbits each, one takes one.
    std::vector<PixelCount> counts(whole->pixels());
    std::vector<std::uint64_t> values(whole->pixels());
    std::uint64_t steps = 0;
    for (std::uint32_t rank = 0; rank < 3; ++rank) {
        const OrbitShare share{rank, 3};
        std::optional<CountGrid> part = CountGrid::Make(200, true);
        ASSERT_TRUE(part);
        RenderOrbits(
            recipe, *part, 1, 0, [](std::uint64_t) {}, kNeverStop, share);
        for (std::size_t i = 0; i < part->pixels(); ++i) {
            counts[i] += part->counts()[i];
            values[i] += part->values()[i];
        }
        steps += ShareSteps(recipe, share);
    }
    EXPECT_EQ(steps, 50001u);
    EXPECT_EQ(counts, std::vector<PixelCount>(whole->counts(), whole->counts() + whole->pixels()));
    EXPECT_EQ(values,
              std::vector<std::uint64_t>(whole->values(), whole->values() + whole->pixels()));

    // A rank beyond the orbits has nothing to do.
    std::optional<CountGrid> idle = CountGrid::Make(200, true);
    ASSERT_TRUE(idle);
    RenderOrbits(
        recipe, *idle, 1, 0, [](std::uint64_t) {}, kNeverStop, OrbitShare{5, 6});
    EXPECT_EQ(std::accumulate(idle->counts(), idle->counts() + idle->pixels(), 0ull), 0u);
}

TEST_F(PosterOrbits, ThreadsTheSystemWillNotStartAreDoneWithoutAndCountTheSame) {
    method[0] = 0;
    RenderOptions options;
    options.steps = 40001;
    PosterRecipe recipe = RecipeFromState(options);
    recipe.res = 200;
    recipe.orbits = 5;
    const auto counted = [&](unsigned threads, int started, std::uint64_t spare) {
        LimitThreadStarts(started);
        std::optional<CountGrid> grid = CountGrid::Make(200, true);
        RenderOrbits(
            recipe, *grid, threads, spare, [](std::uint64_t) {}, kNeverStop);
        LimitThreadStarts(-1);
        std::vector<std::uint64_t> sums(grid->values(), grid->values() + grid->pixels());
        sums.insert(sums.end(), grid->counts(), grid->counts() + grid->pixels());
        return sums;
    };
    const std::vector<std::uint64_t> alone = counted(1, -1, 0);
    ASSERT_GT(std::accumulate(alone.begin(), alone.end(), 0ull), 40000u);
    // None started: the calling thread renders. With spare memory the
    // threads count into grids of their own, added up at the end.
    for (const int started : {0, 1, 3}) {
        EXPECT_EQ(counted(4, started, 0), alone) << started << " threads, one shared grid";
        EXPECT_EQ(counted(4, started, UINT64_MAX), alone) << started << " threads, own grids";
    }
}

TEST_F(PosterOrbits, TheCountsFileHoldsTheCountsOfTheFineGrid) {
    method[0] = 2;
    RenderOptions options;
    options.steps = 60000;
    PosterRecipe recipe = RecipeFromState(options);
    recipe.res = 210;
    recipe.height = 150;
    recipe.supersample = 2;
    recipe.orbits = 3;
    // A wide grid, so that rows and columns cannot be mistaken for each other.
    std::optional<CountGrid> grid = CountGrid::Make(420, 300, true);
    std::optional<CountGrid> shared = CountGrid::Make(420, 300, true);
    ASSERT_TRUE(grid && shared);
    RenderOrbits(
        recipe, *grid, 1, 0, [](std::uint64_t) {}, kNeverStop);
    ASSERT_GT(std::accumulate(grid->counts(), grid->counts() + grid->pixels(), 0ull), 50000u);
    // Two threads adding into one grid count the same.
    RenderOrbits(
        recipe, *shared, 2, 0, [](std::uint64_t) {}, kNeverStop);
    EXPECT_TRUE(std::equal(grid->counts(), grid->counts() + grid->pixels(), shared->counts()));
    EXPECT_TRUE(std::equal(grid->values(), grid->values() + grid->pixels(), shared->values()));

    // A wide grid holding 2^32 - 3 in every pixel: counts carry into the
    // high 32 bits on one thread, on two sharing the grid and on two with
    // grids of their own.
    const auto counts = [](const CountGrid& from) {
        std::vector<PixelCount> all(from.pixels());
        for (std::size_t pixel = 0; pixel < all.size(); ++pixel) {
            all[pixel] = from.count(pixel);
        }
        return all;
    };
    std::vector<PixelCount> expected = counts(*grid);
    for (PixelCount& count : expected) {
        count += UINT32_MAX - 2;
    }
    for (const std::uint64_t spare : {std::uint64_t{0}, UINT64_MAX}) {
        for (const unsigned threads : {1u, 2u}) {
            std::optional<CountGrid> wide = CountGrid::Make(420, 300, true, true);
            ASSERT_TRUE(wide);
            for (std::size_t pixel = 0; pixel < wide->pixels(); ++pixel) {
                wide->set(pixel, UINT32_MAX - 2);
            }
            RenderOrbits(
                recipe, *wide, threads, spare, [](std::uint64_t) {}, kNeverStop);
            EXPECT_EQ(counts(*wide), expected) << threads << " threads, spare " << spare;
        }
    }

    // Counts up to 2^24 as floats, up to 2^32 - 1 as whole numbers, beyond
    // as the high and the low 32 bits: each read back exactly.
    const TempDir dir;
    const auto written = [&](const CountGrid& from) {
        std::FILE* file = std::fopen(dir.path("c.exr").c_str(), "wb");
        std::string error;
        EXPECT_TRUE(WriteCountsExr(file, from, error)) << error;
        std::fclose(file);
        return ReadCountsFile(dir.path("c.exr"));
    };
    EXPECT_EQ(written(*grid), (CountsFile{420, 300, "Y:float", counts(*grid)}));
    grid->set(7, PixelCount{1} << 24);
    EXPECT_EQ(written(*grid).channels, "Y:float");
    grid->set(7, (PixelCount{1} << 24) + 1);
    EXPECT_EQ(written(*grid), (CountsFile{420, 300, "Y:uint", counts(*grid)}));
    std::optional<CountGrid> wide = CountGrid::Make(420, 300, false, true);
    ASSERT_TRUE(wide);
    wide->set(9, (PixelCount{1} << 32) + 3);
    wide->set(10, UINT32_MAX);
    EXPECT_EQ(written(*wide), (CountsFile{420, 300, "high:uint low:uint", counts(*wide)}));
}

// Four billion steps and more take about forty processor seconds, built
// with optimization and without the sanitizers.
TEST_F(PosterTest, APosterOfMoreThan2To32StepsCountsEveryStepInItsCountsFile) {
#ifndef __OPTIMIZE__
    GTEST_SKIP() << "four billion steps take many minutes unoptimized";
#endif
    if (ORV_SANITIZED) {
        GTEST_SKIP() << "four billion steps take many minutes under the sanitizers";
    }
    const std::uint64_t steps = (std::uint64_t{1} << 32) + 40000;
    const BatchRun run =
        Poster({"--res", "200", "--method", "hit-count", "--steps", std::to_string(steps),
                "--threads", "2", "--quiet", "--counts", Path("big.exr"), "-o", Path("big.png")});
    ASSERT_EQ(run.code, 0) << run.err;
    const CountsFile file = ReadCountsFile(Path("big.exr"));
    // Every step lands in the view but the desktop program's first.
    EXPECT_EQ(std::accumulate(file.counts.begin(), file.counts.end(), PixelCount{0}), steps - 1);
    EXPECT_EQ(file.channels, "Y:uint");
}

TEST_F(PosterTest, ARecipeRendersTheSameFileAgain) {
    ASSERT_EQ(Poster({"--type",         "beta",
                      "--params",       "-1.7,2.1,0.9,0.4",
                      "--rotation",     "20,0,75",
                      "--order",        "ZXY",
                      "--view",         "-1.5,2.6,-1.4,2.7",
                      "--size",         "240x200",
                      "--method",       "hit-count",
                      "--filter",       "log",
                      "--palette",      "2",
                      "--background",   "10,20,30",
                      "--steps",        "60000",
                      "--orbits",       "3",
                      "--supersample",  "2",
                      "--depth",        "16",
                      "--quiet",        "-o",
                      Path("first.png")})
                  .code,
              0);
    const BatchRun again = Poster({"--recipe", Path("first.png"), "-o", Path("again.png")});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(ReadBytes(Path("again.png")), ReadBytes(Path("first.png")));
}

TEST_F(PosterTest, TheRecipesOfAParameterFileOfItsValuesAndOfThePosterPictureAreEqual) {
    GAN record = GanRecord(2, PARAM{0.25, 0.75, 0.0, 1.5, -1.25, 0.5, -0.75}, VOXEL{15, 30, 45});
    record.red = 12;
    record.green = 34;
    record.blue = 56;
    unsigned char bytes[kGanBytes];
    EncodeGan(record, bytes);
    WriteText(Path("set.gan"), std::string(reinterpret_cast<const char*>(bytes), kGanBytes));
    const std::vector<std::string> common = {"--res",    "200", "--steps",  "3000",
                                             "--orbits", "3",   "--method", "hit-count",
                                             "--filter", "log", "--quiet"};
    const auto recipe = [&](std::vector<std::string> args) {
        args.insert(args.end(), common.begin(), common.end());
        args.insert(args.end(), {"-o", Path("p.png")});
        const PosterCommandLine line = ParsePosterOptions(args);
        EXPECT_EQ(line.action, CommandLineAction::Render) << line.error;
        PosterRecipe made;
        std::ostringstream err;
        EXPECT_EQ(RecipeFromOptions(line.options, made, err), 0) << err.str();
        return made;
    };
    const PosterRecipe fromGan = recipe({"--gan", Path("set.gan")});
    const PosterRecipe fromValues =
        recipe({"--type", "beta", "--params", "1.5,-1.25,0.5,-0.75", "--start", "0.25,0.75",
                "--rotation", "15,30,45", "--background", "12,34,56"});
    EXPECT_EQ(fromGan, fromValues);
    EXPECT_EQ(fromGan.type, 2);
    EXPECT_EQ(fromGan.param, (PARAM{0.25, 0.75, 0.0, 1.5, -1.25, 0.5, -0.75}));
    EXPECT_EQ(fromGan.rotation, (VOXEL{15, 30, 45}));
    EXPECT_EQ(fromGan.background, (std::array<int, 3>{12, 34, 56}));
    EXPECT_EQ(fromGan.view, mmdef[2]);
    EXPECT_EQ(fromGan.orbits, 3u);

    std::vector<std::string> poster = {"--gan", Path("set.gan")};
    poster.insert(poster.end(), common.begin(), common.end());
    poster.insert(poster.end(), {"-o", Path("p.png")});
    ASSERT_EQ(Poster(poster).code, 0);
    std::string error;
    const std::optional<TextChunks> text = ReadPngText(Path("p.png"), error);
    ASSERT_TRUE(text) << error;
    const std::optional<PosterRecipe> fromPicture = ReadPosterRecipe(*text, error);
    ASSERT_TRUE(fromPicture) << error;
    EXPECT_EQ(*fromPicture, fromGan);
}

TEST_F(PosterTest, ARenderPngCarriesItsRecipe) {
    ASSERT_EQ(Run({"--type", "gamma", "--params", "1.5,-1.25,0.5,2", "--res", "250", "--method",
                   "hit-count", "--palette", "2", "--steps", "3000", "--filter", "equalize",
                   "--quiet", "-o", Path("render.png")})
                  .code,
              0);
    std::string error;
    const std::optional<TextChunks> text = ReadPngText(Path("render.png"), error);
    ASSERT_TRUE(text) << error;
    const std::optional<PosterRecipe> recipe = ReadRecipe(*text, error);
    ASSERT_TRUE(recipe) << error;
    EXPECT_EQ(recipe->type, 3);
    EXPECT_EQ(recipe->param.b, -1.25);
    EXPECT_EQ(recipe->res, 250);
    EXPECT_EQ(recipe->method, 1);
    EXPECT_TRUE(std::equal(recipe->palette.begin(), recipe->palette.end(), defpal2));
    EXPECT_EQ(recipe->filter, BatchFilter::Equalize);
    EXPECT_EQ(recipe->steps, 3000u);
    EXPECT_EQ(recipe->orbits, 1u) << "a render is one orbit";

    // render equalizes its finished picture, a poster its counts.
    const BatchRun again = Poster({"--recipe", Path("render.png"), "-o", Path("again.png")});
    EXPECT_EQ(again.code, 2);
    EXPECT_EQ(again.err, "orvantis poster: --recipe: '" + Path("render.png") +
                             "' cannot be rendered again: it was made by render with --filter "
                             "equalize, which a poster does not draw pixel for pixel the same; "
                             "draw it again with render\n");
    EXPECT_FALSE(std::filesystem::exists(Path("again.png")));
}

TEST_F(PosterTest, APosterTooLargeForMemoryIsRefusedBeforeAnythingStarts) {
    const BatchRun run = Poster(
        {"--method", "hit-count", "--res", "3000000", "--supersample", "4", "-o", Path("big.png")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(
        run.err.find(
            "orvantis poster: --res 3000000 with --supersample 4 needs 536442.9 GiB of memory;"),
        std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(Path("big.png")));
}

TEST_F(PosterTest, SixteenBitsShowMoreThan256Levels) {
    ASSERT_EQ(Poster({"--method", "z-plane", "--res", "200", "--steps", "200000", "--depth", "16",
                      "--quiet", "-o", Path("deep.png")})
                  .code,
              0);
    const Picture picture = ReadPicture(Path("deep.png"));
    EXPECT_EQ(picture.depth, 16);
    std::set<unsigned> levels;
    for (std::size_t i = 0; i < picture.values.size(); i += 3) {
        levels.insert(picture.values[i]);
    }
    EXPECT_GT(levels.size(), 256u);
}

} // namespace
} // namespace orv::test
