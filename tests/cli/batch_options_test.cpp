// Each option of the batch renderer, its clamping and refusals, and the
// order in which the options apply.
#include "batch_fixture.h"

#include "palette/palette.h"
#include "render/state.h"

#include <cstring>
#include <filesystem>
#include <limits>
#include <utility>

namespace orv::test {
namespace {

using BatchClamping = BatchTest;
using BatchRefusals = BatchTest;
using BatchOptionOrder = BatchTest;
using BatchFiles = BatchTest;
using BatchModes = BatchTest;

TEST_F(BatchClamping, ValuesAreClampedAsTheDialogsClampThem) {
    const BatchRun run =
        Run({"--params", "4,-4,-2,2", "--start", "0,1", "--rotation", "-10,400,360", "--background",
             "300,128,-5", "--res", "100", "--steps", "10", "--quiet", "-o", Path("c.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "") << "no warnings under --quiet";
    const Gan gan(Path("c.gan"));
    EXPECT_EQ(gan.a(), 3.0);
    EXPECT_EQ(gan.b(), -3.0);
    EXPECT_EQ(gan.c(), -1.75);
    EXPECT_EQ(gan.d(), 1.75);
    EXPECT_EQ(gan.xstart(), 0.01);
    EXPECT_EQ(gan.ystart(), 0.99);
    EXPECT_EQ(gan.zstart(), 0.0) << "zstart is not an option and stays";
    EXPECT_EQ(gan.xrot(), 0.0);
    EXPECT_EQ(gan.yrot(), 360.0);
    EXPECT_EQ(gan.zrot(), 360.0);
    EXPECT_EQ(gan.back(), 0x000080FFu);
    EXPECT_EQ(Targa(Path("c.tga")).side(), 200);
}

TEST_F(BatchClamping, ASetThatIsHardlyChaoticIsWarnedAboutAndRenderedAllTheSame) {
    BatchRun run = Run({"--params", "0.6,0.6,0.6,0.6", "--steps", "10", "-o", Path("w.tga")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err.rfind("orvantis render: warning: Lyapunov exponent: -0.", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(": the attractor may not be chaotic enough to produce an appealing "
                           "image\n"),
              std::string::npos);
    EXPECT_EQ(run.out, "Wrote " + Path("w.tga") + " and " + Path("w.gan") + "\n");
    run = Run({"--start", "0.2,0.3", "--steps", "10", "-o", Path("w.tga")});
    EXPECT_EQ(run.err, "") << "the default set is chaotic enough";
    run = Run({"--params", "0.6,0.6,0.6,0.6", "--quiet", "--steps", "10", "-o", Path("w.tga")});
    EXPECT_EQ(run.err, "");
}

TEST_F(BatchClamping, TheViewWindowIsSwappedAndKeptWithinItsLimitsNamingTheEndsUsed) {
    const BatchRun run = Run({"--view", "2,-2,-9,9", "--steps", "0", "-o", Path("v.tga")});
    ASSERT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "orvantis render: warning: --view: -9 is out of range; -5 is used\n"
                       "orvantis render: warning: --view: 9 is out of range; 5 is used\n")
        << "ends in either order are no mistake";
    EXPECT_EQ(mm[0].xmin, -2.0);
    EXPECT_EQ(mm[0].xmax, 2.0);
    EXPECT_EQ(mm[0].ymin, -5.0);
    EXPECT_EQ(mm[0].ymax, 5.0);
    ASSERT_EQ(Run({"--view", "1,1.05,-1,1", "--steps", "0", "-o", Path("v.tga")}).code, 0);
    EXPECT_EQ(mm[0].xmax, 1.05);
}

TEST_F(BatchRefusals, ATooNarrowViewWindowIsRefusedWithTheDialogsMessage) {
    BatchRun run = Run({"--view", "1,1.04,-1,1", "-o", Path("x.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: xmax - xmin must be >= 0.05\n");
    run = Run({"--view", "-1,1,0.5,0.48", "-o", Path("x.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: ymax - ymin must be >= 0.05\n");
    EXPECT_FALSE(std::filesystem::exists(Path("x.tga")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.gan")));
}

TEST_F(BatchRefusals, AFilterThatCannotApplyIsRefusedBeforeTheRender) {
    // Rendering these steps would take minutes: the refusal comes first.
    BatchRun run = Run({"--filter", "normalize", "--steps", "2000000000", "-o", Path("f.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: --filter needs the Hit Count colouring method (--method "
                       "hit-count)\n");
    run = Run({"--filter", "log", "--method", "hit-count", "--steps", "999", "-o", Path("f.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: --filter needs at least 1000 render steps (--steps)\n");
    EXPECT_FALSE(std::filesystem::exists(Path("f.tga")));
    EXPECT_EQ(
        Run({"--filter", "log", "--method", "hit-count", "--steps", "1000", "-o", Path("f.tga")})
            .code,
        0);
}

TEST_F(BatchOptionOrder, OptionsApplyInTheirOwnOrderWhateverTheCommandLineSays) {
    // --params names no type: it goes to the type selected by --type, which
    // applies first although it comes later here.
    const BatchRun run = Run(
        {"--params", "1.5,-1.25,0.5,0.25", "--steps", "0", "--type", "gamma", "-o", Path("o.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    const Gan gan(Path("o.gan"));
    EXPECT_EQ(gan.type(), 3);
    EXPECT_EQ(gan.a(), 1.5);
    EXPECT_EQ(gan.d(), 0.25);
    EXPECT_EQ(p[0].a, -0.966918) << "the Standard set is untouched";
}

TEST_F(BatchOptionOrder, AParameterFileLoadsFirstAndTheOtherOptionsChangeWhatItLoaded) {
    ASSERT_EQ(Run({"--type", "beta", "--params", "1.25,2.5,0,0", "--rotation", "10,20,30",
                   "--background", "1,2,3", "--steps", "0", "-o", Path("beta.tga")})
                  .code,
              0);
    const BatchRun run = Run({"--params", "2,2,0,0", "--gan", Path("beta.gan"), "--steps", "0",
                              "-o", Path("again.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    const Gan gan(Path("again.gan"));
    EXPECT_EQ(gan.type(), 2) << "the file selects Beta";
    EXPECT_EQ(gan.a(), 2.0) << "--params applies after the file";
    EXPECT_EQ(gan.b(), 2.0);
    EXPECT_EQ(gan.xrot(), 10.0);
    EXPECT_EQ(gan.back(), RGB(1, 2, 3));

    ASSERT_EQ(
        Run({"--type", "0", "--gan", Path("beta.gan"), "--steps", "0", "-o", Path("standard.tga")})
            .code,
        0);
    EXPECT_EQ(Gan(Path("standard.gan")).type(), 0) << "--type applies after the file";
    EXPECT_EQ(p[2].a, 1.25) << "the file loaded the Beta set all the same";
}

TEST_F(BatchOptionOrder, TheRandomSearchComesAfterTheParameters) {
    const BatchRun run =
        Run({"--random=7", "--params", "1,1,1,1", "--steps", "0", "-o", Path("r.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(Gan(Path("r.gan")).a(), 1.0);
}

TEST_F(BatchFiles, ADamagedMissingOrNonFiniteParameterFileIsRefusedNamingWhy) {
    WriteText(Path("short.gan"), std::string(60, '\0'));
    std::string record(100, '\0');
    record[0] = 7;
    WriteText(Path("type7.gan"), record);
    record[0] = 1;
    const double b = -std::numeric_limits<double>::infinity();
    const double zrot = std::numeric_limits<double>::infinity();
    std::memcpy(record.data() + 12, &b, sizeof b);
    std::memcpy(record.data() + 92, &zrot, sizeof zrot);
    WriteText(Path("infinite.gan"), record);
    const std::string notAFile = "' is not a parameter file: it is shorter than 100 bytes or "
                                 "names no attractor type\n";
    const std::pair<const char*, std::string> cases[] = {
        {"short.gan", "orvantis render: '" + Path("short.gan") + notAFile},
        {"type7.gan", "orvantis render: '" + Path("type7.gan") + notAFile},
        {"missing.gan", "orvantis render: cannot read the parameter file '" + Path("missing.gan") +
                            "': No such file or directory\n"},
        {"infinite.gan", "orvantis render: the parameter file '" + Path("infinite.gan") +
                             "' holds values that are not finite numbers: b, zrot\n"}};
    for (const auto& [name, message] : cases) {
        const BatchRun run = Run({"--gan", Path(name), "--quiet", "-o", Path("g.tga")});
        EXPECT_EQ(run.code, 2) << name;
        EXPECT_EQ(run.err, message);
    }
    EXPECT_FALSE(std::filesystem::exists(Path("g.tga")));
}

TEST_F(BatchFiles, AMapFileIsReadAndAccepted) {
    std::string lines;
    for (int i = 0; i < 256; ++i) {
        lines += "10 20 30 a comment\n";
    }
    WriteText(Path("flat.map"), lines);
    const BatchRun run =
        Run({"--palette", Path("flat.map"), "--steps", "3000", "-o", Path("m.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    // Every plotted pixel now has the one colour of the palette.
    const Targa image(Path("m.tga"));
    int plotted = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 600; ++x) {
            const COLORREF c = image.pixel(x, y);
            ASSERT_TRUE(c == RGB(255, 245, 230) || c == RGB(10, 20, 30)) << x << "," << y;
            plotted += c == RGB(10, 20, 30) ? 1 : 0;
        }
    }
    EXPECT_GT(plotted, 100);
}

TEST_F(BatchFiles, ADamagedOrMissingMapFileIsRefusedNamingWhy) {
    WriteText(Path("blank.map"), "0 0 0\n\n1 1 1\n");
    WriteText(Path("text.map"), "red green blue\n");
    const std::string notAFile =
        "' is not a palette file: a line does not begin with three whole numbers\n";
    const std::pair<const char*, std::string> cases[] = {
        {"blank.map", "orvantis render: '" + Path("blank.map") + notAFile},
        {"text.map", "orvantis render: '" + Path("text.map") + notAFile},
        {"missing.map", "orvantis render: cannot read the palette file '" + Path("missing.map") +
                            "': No such file or directory\n"}};
    for (const auto& [name, message] : cases) {
        const BatchRun run = Run({"--palette", Path(name), "-o", Path("p.tga")});
        EXPECT_EQ(run.code, 2) << name;
        EXPECT_EQ(run.err, message);
    }
}

TEST_F(BatchModes, BuiltInPalettesOrderMethodAndGhostMode) {
    ASSERT_EQ(Run({"--palette", "2", "--order", "YZX", "--method", "z-plane", "--ghost", "--type",
                   "beta", "--steps", "0", "-o", Path("s.tga")})
                  .code,
              0);
    EXPECT_EQ(std::memcmp(palette, defpal2, sizeof palette), 0);
    EXPECT_EQ(rotationorder, 3);
    EXPECT_EQ(method[2], 2);
    EXPECT_EQ(method[0], 0);
    EXPECT_EQ(ghostflag, 1);
}

TEST_F(BatchModes, GhostImageModeChangesTheAlphaPicture) {
    ASSERT_EQ(Run({"--type", "alpha", "--steps", "20000", "-o", Path("plain.tga")}).code, 0);
    ASSERT_EQ(Run({"--type", "alpha", "--ghost", "--steps", "20000", "-o", Path("ghost.tga")}).code,
              0);
    EXPECT_NE(ReadBytes(Path("plain.tga")), ReadBytes(Path("ghost.tga")));
}

} // namespace
} // namespace orv::test
