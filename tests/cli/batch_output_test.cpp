// What the batch renderer writes and says: the image and parameter files,
// PNG, the Lyapunov map, the filters, the random search, the progress bar,
// and the failures with their exit codes.
#include "batch_fixture.h"
#include "child_process.h"

#include "cli/batch.h"
#include "platform/kernel.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <set>

namespace orv::test {
namespace {

using BatchOutput = BatchTest;
using BatchFailures = BatchTest;
using BatchLyapunovMap = BatchTest;
using BatchFilters = BatchTest;
using BatchRandom = BatchTest;
using BatchProgress = BatchTest;

TEST_F(BatchOutput, OneLineNamesTheFilesWritten) {
    const BatchRun run = Run({"--steps", "100", "-o", Path("pic.TGA")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Wrote " + Path("pic.TGA") + " and " + Path("pic.gan") + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::filesystem::exists(Path("pic.gan")));
}

TEST_F(BatchOutput, APngHoldsThePixelsOfTheTarga) {
    const std::vector<std::string> options = {"--type",  "gamma", "--res",   "250",
                                              "--steps", "20000", "--quiet", "-o"};
    std::vector<std::string> targa = options;
    targa.push_back(Path("same.tga"));
    std::vector<std::string> png = options;
    png.push_back(Path("same.PNG"));
    ASSERT_EQ(Run(targa).code, 0);
    ASSERT_EQ(Run(png).code, 0);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&image, Path("same.PNG").c_str()), 0);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_NE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr), 0);
    ASSERT_EQ(image.width, 250u);
    ASSERT_EQ(image.height, 250u);

    const Targa tga(Path("same.tga"));
    int differences = 0;
    for (int y = 0; y < 250; ++y) {
        for (int x = 0; x < 250; ++x) {
            const std::size_t i = 3 * (static_cast<std::size_t>(y) * 250 + x);
            differences += RGB(rgb[i], rgb[i + 1], rgb[i + 2]) != tga.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(ReadBytes(Path("same.gan")).size(), 100u) << "the parameter file is beside the PNG";
}

TEST_F(BatchFailures, AnOutputInAMissingDirectoryIsASaveError) {
    const BatchRun run = Run({"--steps", "10", "-o", Path("missing/pic.tga")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvantis render: Error opening a save file. '" + Path("missing/pic.tga") +
                           "': No such file or directory\n");
    EXPECT_EQ(run.out, "");
}

// An image and its parameter file are replaced together or not at all.
TEST_F(BatchFailures, AFailedSaveKeepsBothOldFilesAndNamesTheFileAndTheReason) {
    WriteText(Path("pic.tga"), "old image");
    WriteText(Path("pic.gan"), "old parameters");
    auto expectOldFilesAlone = [&] {
        EXPECT_EQ(ReadBytes(Path("pic.tga")), ReadBytes(Path("old.tga")));
        EXPECT_EQ(NamesIn(Path("")), (std::set<std::string>{"old.tga", "pic.gan", "pic.tga"}));
    };
    WriteText(Path("old.tga"), "old image");

    const int status = InChild([&] {
        LimitFileSize(1000);
        const BatchRun run = Run({"--steps", "10", "-o", Path("pic.tga")});
        const std::string expected = "orvantis render: Error writing to save file. '" +
                                     Path("pic.tga") + "': File too large\n";
        return run.code == 1 && run.err == expected ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    expectOldFilesAlone();

    // The parameter file cannot be made: the image is not replaced either.
    std::filesystem::remove(Path("pic.gan"));
    std::filesystem::create_symlink("missing/pic.gan", Path("pic.gan"));
    const BatchRun run = Run({"--steps", "10", "-o", Path("pic.tga")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvantis render: Error opening a save file. '" + Path("pic.gan") +
                           "': No such file or directory\n");
    expectOldFilesAlone();
}

TEST_F(BatchFailures, NamesTooLongForTheProgramsPathBuffersAreRefused) {
    const std::string longName = Path(std::string(300, 'n') + ".tga");
    BatchRun run = Run({"-o", longName});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: -o: the name is longer than 259 characters\n");
    run = Run({"--gan", longName, "-o", Path("g.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: cannot read the parameter file '" + longName +
                           "': File name too long\n");
    run = Run({"--palette", longName, "-o", Path("p.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: cannot read the palette file '" + longName +
                           "': File name too long\n");
}

TEST_F(BatchFailures, NoMemoryForTheHitCountsEndsWithTheEnginesMessage) {
    SetLocalAllocFailure([](std::size_t bytes, int) { return bytes == 4u * 600 * 600; });
    const BatchRun run = Run({"--steps", "10", "-o", Path("m.tga")});
    SetLocalAllocFailure({});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "orvantis render: Not enough memory to allocate hit count buffer.\nFree up "
                       "more system memory, or\n   set a smaller image resolution.\n");
    EXPECT_FALSE(std::filesystem::exists(Path("m.tga")));
}

TEST_F(BatchFailures, NoMemoryForEqualizationEndsWithTheEnginesMessage) {
    SetLocalAllocFailure([](std::size_t bytes, int) { return bytes < 4u * 600 * 600; });
    const BatchRun run = Run(
        {"--method", "hit-count", "--filter", "equalize", "--steps", "2000", "-o", Path("e.tga")});
    SetLocalAllocFailure({});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("Not enough memory to allocate equalization buffers."),
              std::string::npos)
        << run.err;
}

TEST_F(BatchLyapunovMap, RunsUntilTheMapIsCompleteWithoutAskingForTheGrid) {
    const BatchRun run = Run({"--lmap", "--res", "200", "--steps", "3", "-o", Path("map.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "") << "the grid question is answered without a word";
    // Every pixel of a finished map has a palette colour: none is left in the
    // background colour, in the last row either.
    const Targa image(Path("map.tga"));
    int background = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            background += image.pixel(x, y) == RGB(255, 245, 230) ? 1 : 0;
        }
    }
    EXPECT_EQ(background, 0);
}

TEST_F(BatchFilters, EachFilterRecoloursTheHitCountPicture) {
    const std::vector<std::string> options = {"--method", "hit-count", "--res",  "200",
                                              "--steps",  "60000",     "--quiet"};
    auto render = [&](const std::string& name, const char* filter) {
        std::vector<std::string> args = options;
        if (filter != nullptr) {
            args.insert(args.end(), {"--filter", filter});
        }
        args.insert(args.end(), {"-o", Path(name)});
        const BatchRun run = Run(args);
        EXPECT_EQ(run.code, 0) << run.err;
        return ReadBytes(Path(name));
    };
    const auto plain = render("plain.tga", nullptr);
    const auto normalized = render("normalize.tga", "normalize");
    const auto equalized = render("equalize.tga", "equalize");
    const auto logarithmic = render("log.tga", "log");
    const auto squared = render("log2.tga", "log-squared");
    EXPECT_NE(normalized, plain);
    EXPECT_NE(equalized, plain);
    EXPECT_NE(equalized, normalized);
    EXPECT_NE(logarithmic, plain);
    EXPECT_NE(squared, logarithmic) << "log-squared squares the logarithms";
}

TEST_F(BatchRandom, TheSameSeedGivesTheSameParameterFile) {
    ASSERT_EQ(Run({"--random=12345", "--steps", "0", "-o", Path("one.tga")}).code, 0);
    ASSERT_EQ(Run({"--random=12345", "--steps", "0", "-o", Path("two.tga")}).code, 0);
    ASSERT_EQ(Run({"--random=54321", "--steps", "0", "-o", Path("three.tga")}).code, 0);
    EXPECT_EQ(ReadBytes(Path("one.gan")), ReadBytes(Path("two.gan")));
    EXPECT_NE(ReadBytes(Path("one.gan")), ReadBytes(Path("three.gan")));
    const Gan gan(Path("one.gan"));
    EXPECT_NE(gan.a(), -0.966918);
    EXPECT_EQ(gan.xstart(), 0.1) << "the search keeps the start point";
}

TEST_F(BatchRandom, AStartPointThatIsNoNumberIsRefusedBeforeTheSearch) {
    // With it no candidate could pass: the search would run its 100 tries
    // and end as finding nothing.
    std::string record(100, '\0');
    const double values[] = {
        -0.966918, 2.879879, 0.765145, 0.744728, std::numeric_limits<double>::quiet_NaN(),
        0.1,       0.0};
    std::memcpy(record.data() + 4, values, sizeof values);
    WriteText(Path("nan.gan"), record);
    const BatchRun run = Run({"--gan", Path("nan.gan"), "--random=1", "-o", Path("n.tga")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "orvantis render: the parameter file '" + Path("nan.gan") +
                           "' holds values that are not finite numbers: xstart\n");
    EXPECT_FALSE(std::filesystem::exists(Path("n.tga")));
}

TEST_F(BatchProgress, ABarOnATerminalLinesInALogWhenAskedNeverWhenQuiet) {
    const BatchRun terminal = Run({"--steps", "200000", "-o", Path("a.tga")}, true);
    ASSERT_EQ(terminal.code, 0);
    EXPECT_EQ(terminal.err.rfind("\r[", 0), 0u) << terminal.err;
    EXPECT_NE(terminal.err.find("] 100%  200000/200000 steps"), std::string::npos);
    EXPECT_EQ(terminal.err.back(), '\n');

    const BatchRun piped = Run({"--steps", "200000", "-o", Path("b.tga")}, false);
    EXPECT_EQ(piped.err, "");
    // A log gets plain lines; a short render only the last one.
    const BatchRun logged = Run({"--progress", "--steps", "200000", "-o", Path("b.tga")}, false);
    EXPECT_EQ(logged.err.rfind("orvantis render: 200000 of 200000 steps, ", 0), 0u) << logged.err;
    EXPECT_EQ(logged.err.find('\n'), logged.err.size() - 1) << logged.err;
    EXPECT_EQ(logged.err.find('\r'), std::string::npos);
    const BatchRun quiet = Run({"--quiet", "--steps", "200000", "-o", Path("c.tga")}, true);
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.out, "");

    const BatchRun map = Run({"--lmap", "--res", "200", "-o", Path("d.tga")}, true);
    EXPECT_NE(map.err.find("200/200 rows"), std::string::npos) << map.err;
}

// The program's entry for `orvantis render`, with its own stdout and stderr.
class RenderCommand : public ::testing::Test {
  protected:
    int Main(std::vector<std::string> args) {
        args.insert(args.begin(), "render");
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = RenderMain(static_cast<int>(argv.size()), argv.data());
        out = ::testing::internal::GetCapturedStdout();
        err = ::testing::internal::GetCapturedStderr();
        return code;
    }
    std::string out;
    std::string err;
};

TEST_F(RenderCommand, AMistakeOnTheCommandLineIsOneLineAndExitCode2) {
    EXPECT_EQ(Main({"--bogus", "-o", "x.tga"}), 2);
    EXPECT_EQ(err, "orvantis render: unknown option '--bogus' (see orvantis render --help)\n");
    EXPECT_EQ(out, "");
    EXPECT_EQ(Main({"--res", "lots", "-o", "x.tga"}), 2);
    EXPECT_EQ(
        err, "orvantis render: --res: 'lots' is not a whole number (see orvantis render --help)\n");
}

TEST_F(RenderCommand, AFailedWriteToStdoutIsExitCode1WithAMessage) {
    TempDir dir;
    const std::string errors = dir.path("stderr");
    for (const char* option : {"--help", "--version"}) {
        const int status = InChild([&] {
            std::freopen("/dev/full", "w", stdout);
            std::freopen(errors.c_str(), "w", stderr);
            std::vector<std::string> args{"render", option};
            std::vector<char*> argv{args[0].data(), args[1].data()};
            return RenderMain(2, argv.data());
        });
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1) << option;
        const std::vector<unsigned char> text = ReadBytes(errors);
        EXPECT_EQ(std::string(text.begin(), text.end()),
                  "orvantis render: cannot write to standard output: No space left on device\n");
    }
}

TEST_F(RenderCommand, HelpAndVersionGoToStdout) {
    EXPECT_EQ(Main({"--help"}), 0);
    EXPECT_EQ(out.rfind("Usage: orvantis render [options] -o FILE\n", 0), 0u);
    EXPECT_EQ(err, "");
    EXPECT_EQ(Main({"--version"}), 0);
    EXPECT_EQ(out, "orvantis 1.0.0\n");
}

} // namespace
} // namespace orv::test
