#include "studio/command_line.h"

#include <gtest/gtest.h>

#include <limits>

namespace orv {
namespace {

CommandLine Parse(std::vector<std::string> args) {
    return ParseRenderOptions(args);
}

// Parses a command line that must be accepted.
RenderOptions Accepted(std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "out.tga"});
    const CommandLine line = Parse(args);
    EXPECT_EQ(line.action, CommandLineAction::Render) << line.error;
    return line.options;
}

// The one-line message of a command line that must be refused.
std::string Refused(std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "out.tga"});
    const CommandLine line = Parse(args);
    EXPECT_EQ(line.action, CommandLineAction::Error);
    EXPECT_EQ(line.error.find('\n'), std::string::npos);
    return line.error;
}

TEST(CommandLineOptions, NothingButTheOutputLeavesEverythingAtStart) {
    const RenderOptions o = Accepted({});
    EXPECT_EQ(o.output, "out.tga");
    EXPECT_FALSE(o.gan || o.type || o.params || o.start || o.rotation || o.order || o.view ||
                 o.res || o.method || o.background || o.palette || o.filter);
    EXPECT_FALSE(o.ghost || o.random || o.lmap);
    EXPECT_EQ(o.steps, 5'000'000u);
    EXPECT_EQ(o.display, BatchDisplay::Automatic);
}

TEST(CommandLineOptions, ValuesFollowTheOptionOrAnEqualsSign) {
    const RenderOptions o =
        Accepted({"--gan", "a.gan", "--res=800", "--steps", "1000", "--palette=2"});
    EXPECT_EQ(*o.gan, "a.gan");
    EXPECT_EQ(*o.res, 800);
    EXPECT_EQ(o.steps, 1000u);
    EXPECT_EQ(*o.palette, "2");
    EXPECT_EQ(Accepted({"--output", "x.png"}).output, "out.tga") << "the last -o wins";
    EXPECT_EQ(Parse({"--output=x.png"}).options.output, "x.png");
}

TEST(CommandLineOptions, TypesByNameInAnyCaseOrByNumber) {
    EXPECT_EQ(*Accepted({"--type", "standard"}).type, 0);
    EXPECT_EQ(*Accepted({"--type", "ALPHA"}).type, 1);
    EXPECT_EQ(*Accepted({"--type", "Beta"}).type, 2);
    EXPECT_EQ(*Accepted({"--type", "3"}).type, 3);
    EXPECT_EQ(Refused({"--type", "4"}), "--type: '4' is not one of standard, alpha, beta, gamma");
    EXPECT_EQ(Refused({"--type", "delta"}),
              "--type: 'delta' is not one of standard, alpha, beta, gamma");
}

TEST(CommandLineOptions, OrdersMethodsAndFiltersByName) {
    EXPECT_EQ(*Accepted({"--order", "XYZ"}).order, 0);
    EXPECT_EQ(*Accepted({"--order", "zyx"}).order, 5);
    EXPECT_EQ(*Accepted({"--order", "YZX"}).order, 3);
    EXPECT_EQ(*Accepted({"--method", "speed"}).method, 0);
    EXPECT_EQ(*Accepted({"--method", "hit-count"}).method, 1);
    EXPECT_EQ(*Accepted({"--method", "Z-Plane"}).method, 2);
    EXPECT_EQ(*Accepted({"--filter", "normalize"}).filter, BatchFilter::Normalize);
    EXPECT_EQ(*Accepted({"--filter", "equalize"}).filter, BatchFilter::Equalize);
    EXPECT_EQ(*Accepted({"--filter", "log"}).filter, BatchFilter::Log);
    EXPECT_EQ(*Accepted({"--filter", "log-squared"}).filter, BatchFilter::LogSquared);
    EXPECT_EQ(Refused({"--order", "XXY"}),
              "--order: 'XXY' is not one of XYZ, XZY, YXZ, YZX, ZXY, ZYX");
    EXPECT_EQ(Refused({"--method", "hitcount"}),
              "--method: 'hitcount' is not one of speed, hit-count, z-plane");
    EXPECT_EQ(Refused({"--filter", "blur"}),
              "--filter: 'blur' is not one of normalize, equalize, log, log-squared");
}

TEST(CommandLineOptions, ListsOfNumbersSeparatedByCommas) {
    const RenderOptions o =
        Accepted({"--params", "-1.5,2.25,0.5,-0.75", "--start", "0.2,0.3", "--rotation", "10,20,30",
                  "--view", "-1,1,-2,2", "--background", "0,128,-5"});
    EXPECT_EQ(*o.params, (std::array<double, 4>{-1.5, 2.25, 0.5, -0.75}));
    EXPECT_EQ(*o.start, (std::array<double, 2>{0.2, 0.3}));
    EXPECT_EQ(*o.rotation, (std::array<double, 3>{10.0, 20.0, 30.0}));
    EXPECT_EQ(*o.view, (std::array<double, 4>{-1.0, 1.0, -2.0, 2.0}));
    EXPECT_EQ(*o.background, (std::array<long, 3>{0, 128, -5}));
}

TEST(CommandLineOptions, OutOfRangeNumbersAreKeptForClamping) {
    const RenderOptions o =
        Accepted({"--res", "99999999999999999999999", "--params", "4,1e999,-7,0", "--view",
                  "2,-2,1,1.04", "--rotation", "-inf,400,360"});
    EXPECT_EQ(*o.res, std::numeric_limits<long>::max());
    EXPECT_EQ((*o.params)[0], 4.0);
    EXPECT_EQ((*o.params)[1], std::numeric_limits<double>::infinity());
    EXPECT_EQ((*o.view)[0], 2.0);
    EXPECT_EQ((*o.rotation)[0], -std::numeric_limits<double>::infinity());
}

TEST(CommandLineOptions, AValueThatIsNotANumberIsNamed) {
    EXPECT_EQ(Refused({"--res", "12x"}), "--res: '12x' is not a whole number");
    EXPECT_EQ(Refused({"--res", "600.7"}), "--res: '600.7' is not a whole number");
    EXPECT_EQ(Refused({"--res", " 600"}), "--res: ' 600' is not a whole number");
    EXPECT_EQ(Refused({"--params", "1,2,x,4"}), "--params: 'x' is not a number");
    EXPECT_EQ(Refused({"--params", "1,2,nan,4"}), "--params: 'nan' is not a number");
    EXPECT_EQ(Refused({"--start", "0.5,"}), "--start: '' is not a number");
    EXPECT_EQ(Refused({"--background", "1,2.5,3"}), "--background: '2.5' is not a number");
    EXPECT_EQ(Refused({"--steps", "-5"}), "--steps: '-5' is not a whole number of steps");
    EXPECT_EQ(Refused({"--steps", "1e6"}), "--steps: '1e6' is not a whole number of steps");
}

TEST(CommandLineOptions, AListOfTheWrongLengthIsRefused) {
    EXPECT_EQ(Refused({"--params", "1,2,3"}),
              "--params needs 4 numbers separated by commas, not '1,2,3'");
    EXPECT_EQ(Refused({"--rotation", "1,2,3,4"}),
              "--rotation needs 3 numbers separated by commas, not '1,2,3,4'");
    EXPECT_EQ(Refused({"--view", "1 2 3 4"}),
              "--view needs 4 numbers separated by commas, not '1 2 3 4'");
}

TEST(CommandLineOptions, UnknownOptionsAndMissingValues) {
    EXPECT_EQ(Refused({"--colour", "red"}), "unknown option '--colour'");
    EXPECT_EQ(Refused({"-x"}), "unknown option '-x'");
    EXPECT_EQ(Refused({"picture.tga"}), "unexpected argument 'picture.tga'");
    EXPECT_EQ(Parse({"-o", "out.tga", "--res"}).error, "--res needs a value");
    EXPECT_EQ(Refused({"--steps", "--quiet"}), "--steps needs a value");
    EXPECT_EQ(Parse({"-o"}).error, "-o needs a value");
    EXPECT_EQ(Refused({"--ghost=yes"}), "--ghost takes no value");
}

TEST(CommandLineOptions, ANegativeNumberIsAValueNotAnOption) {
    EXPECT_EQ((*Accepted({"--params", "-1,-2,-1,-1"}).params)[0], -1.0);
    EXPECT_EQ(*Accepted({"--res", "-4"}).res, -4);
}

TEST(CommandLineOptions, TheOutputIsRequired) {
    const CommandLine line = Parse({"--steps", "1000"});
    EXPECT_EQ(line.action, CommandLineAction::Error);
    EXPECT_EQ(line.error, "-o FILE is required: the name of the image to write");
    EXPECT_EQ(Parse({"-o", ""}).action, CommandLineAction::Error);
}

TEST(CommandLineOptions, TheOutputIsATargaOrAPngByItsEnding) {
    EXPECT_EQ(Parse({"-o", "x.jpg"}).error, "-o: 'x.jpg' must end in .tga or .png");
    EXPECT_EQ(Parse({"-o", "picture"}).action, CommandLineAction::Error);
    EXPECT_EQ(Parse({"-o", "img.jpeg"}).action, CommandLineAction::Error);
    EXPECT_EQ(Parse({"-o", "pic.gan"}).action, CommandLineAction::Error);
    EXPECT_EQ(Parse({"-o", "dir.png/x"}).action, CommandLineAction::Error);
    EXPECT_EQ(Parse({"-o", "A.TGA"}).action, CommandLineAction::Render);
    EXPECT_EQ(Parse({"-o", "b.Png"}).action, CommandLineAction::Render);
}

TEST(CommandLineOptions, RandomTakesAnOptionalUnsigned32BitSeed) {
    const RenderOptions timed = Accepted({"--random"});
    EXPECT_TRUE(timed.random);
    EXPECT_FALSE(timed.seed);
    EXPECT_EQ(*Accepted({"--random=42"}).seed, 42u);
    EXPECT_EQ(*Accepted({"--random=4294967295"}).seed, 4294967295u);
    EXPECT_FALSE(Accepted({"--random=7", "--random"}).seed) << "the last one counts";
    EXPECT_EQ(Refused({"--random=4294967296"}),
              "--random: '4294967296' is not a seed from 0 to 4294967295");
    EXPECT_EQ(Refused({"--random=-1"}), "--random: '-1' is not a seed from 0 to 4294967295");
    EXPECT_EQ(Refused({"--random="}), "--random: '' is not a seed from 0 to 4294967295");
}

TEST(CommandLineOptions, FlagsAndTheLastDisplayChoice) {
    const RenderOptions o = Accepted({"--ghost", "--lmap", "--quiet", "--progress"});
    EXPECT_TRUE(o.ghost);
    EXPECT_TRUE(o.lmap);
    EXPECT_EQ(o.display, BatchDisplay::Progress);
    EXPECT_EQ(Accepted({"--progress", "--quiet"}).display, BatchDisplay::Quiet);
}

TEST(CommandLineOptions, AFilterOnALyapunovMapIsRefused) {
    EXPECT_EQ(Refused({"--lmap", "--filter", "normalize"}),
              "--filter cannot be applied to a Lyapunov map (--lmap): it has no hit counts");
}

TEST(CommandLineOptions, HelpAndVersionNeedNothingElse) {
    EXPECT_EQ(Parse({"--help"}).action, CommandLineAction::Help);
    EXPECT_EQ(Parse({"--res", "300", "--version"}).action, CommandLineAction::Version);
    EXPECT_EQ(Parse({"--bogus", "--help"}).action, CommandLineAction::Error)
        << "a mistake before --help is still reported";
}

} // namespace
} // namespace orv
