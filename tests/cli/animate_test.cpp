#include "batch_fixture.h"
#include "child_process.h"

#include "cli/animate.h"
#include "files/gan.h"
#include "render/state.h"
#include "studio/poster_recipe.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace orv::test {
namespace {

class Animate : public BatchTest {
  protected:
    void SetUp() override {
        WriteGan("a.gan", pdef[1], 0.0);
        PARAM other = pdef[1];
        other.a += 0.05;
        WriteGan("b.gan", other, 15.0);
    }

    void WriteGan(const std::string& name, const PARAM& q, double zrot) {
        unsigned char bytes[kGanBytes];
        EncodeGan(GanRecord(1, q, VOXEL{0.0, 0.0, zrot}), bytes);
        WriteText(Path(name), std::string(reinterpret_cast<const char*>(bytes), kGanBytes));
    }

    BatchRun Animation(const std::string& folder, std::vector<std::string> args) {
        std::vector<std::string> all = {
            "--gan", Path("a.gan"), "--res",     "200",      "--steps", "40000", "--orbits",
            "2",     "--method",    "hit-count", "--filter", "log",     "-o",    Path(folder)};
        all.insert(all.end(), args.begin(), args.end());
        const AnimateCommandLine line = ParseAnimateOptions(all);
        EXPECT_EQ(line.action, CommandLineAction::Render) << line.error;
        std::ostringstream out;
        std::ostringstream err;
        BatchRun run;
        run.code = RunAnimate(line.options, out, err, false);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::vector<unsigned char> Frame(const std::string& folder, int number) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%04d.png", number);
        return ReadBytes(Path(folder + name));
    }
};

TEST_F(Animate, FramesAreTheSameOnOneAndTwoThreadsAndAStillSetDoesNotFlicker) {
    const std::vector<std::string> morph = {"--to", Path("b.gan"), "--turn", "z", "--frames", "3"};
    std::vector<std::string> one = morph;
    one.insert(one.end(), {"--threads", "1"});
    std::vector<std::string> two = morph;
    two.insert(two.end(), {"--threads", "2"});
    ASSERT_EQ(Animation("one", one).code, 0);
    ASSERT_EQ(Animation("two", two).code, 0);
    for (int frame = 1; frame <= 3; ++frame) {
        EXPECT_FALSE(Frame("one", frame).empty());
        EXPECT_EQ(Frame("one", frame), Frame("two", frame)) << "frame " << frame;
    }
    EXPECT_NE(Frame("one", 1), Frame("one", 2));

    ASSERT_EQ(Animation("still", {"--frames", "4", "--threads", "2"}).code, 0);
    EXPECT_EQ(Frame("still", 2), Frame("still", 3));
    EXPECT_EQ(Frame("still", 1), Frame("still", 4));
}

TEST_F(Animate, FramesLookLikeTheGallerysThumbnailsAndShareOneFramedView) {
    const std::vector<std::string> args = {
        "--gan",   Path("a.gan"), "--turn",   "y", "--frames", "3",  "--res",      "200",
        "--steps", "20000",       "--orbits", "2", "--quiet",  "-o", Path("plain")};
    const AnimateCommandLine line = ParseAnimateOptions(args);
    ASSERT_EQ(line.action, CommandLineAction::Render) << line.error;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunAnimate(line.options, out, err, false), 0) << err.str();
    std::vector<PosterRecipe> recipes;
    for (const char* name : {"plain/frame-0001.png", "plain/frame-0003.png"}) {
        std::string error;
        const std::optional<TextChunks> text = ReadPngText(Path(name), error);
        ASSERT_TRUE(text) << error;
        recipes.push_back(*ReadRecipe(*text, error));
    }
    EXPECT_EQ(recipes[0].method, 1);
    EXPECT_EQ(recipes[0].filter, BatchFilter::Log);
    EXPECT_EQ(recipes[0].view, recipes[1].view);
    EXPECT_NE(recipes[0].view, mmdef[1]) << "framed to the sets";
    EXPECT_NE(recipes[0].rotation, recipes[1].rotation);
}

TEST_F(Animate, AResumedRunRendersEveryFrameThatIsMissingForeignOrDamaged) {
    const std::vector<std::string> turn = {"--turn", "x", "--frames", "5"};
    ASSERT_EQ(Animation("full", turn).code, 0);
    ASSERT_EQ(Animation("cut", turn).code, 0);
    const auto frameName = [&](int number) {
        char name[32];
        std::snprintf(name, sizeof name, "cut/frame-%04d.png", number);
        return Path(name);
    };
    // Cut off in its image data, its recipe whole before it.
    std::vector<unsigned char> bytes = Frame("full", 1);
    WriteText(frameName(1), std::string(bytes.begin(), bytes.begin() + bytes.size() / 2));
    std::filesystem::remove(frameName(2));
    std::filesystem::copy_file(Path("full/frame-0001.png"), frameName(3),
                               std::filesystem::copy_options::overwrite_existing);
    // One byte of the image data changed.
    bytes = Frame("full", 4);
    const std::string idat = "IDAT";
    const auto data = std::search(bytes.begin(), bytes.end(), idat.begin(), idat.end());
    ASSERT_NE(data, bytes.end());
    data[8] ^= 0x10;
    WriteText(frameName(4), std::string(bytes.begin(), bytes.end()));

    const BatchRun resumed = Animation("cut", turn);
    EXPECT_EQ(resumed.code, 0);
    EXPECT_EQ(resumed.out, "Wrote 4 of 5 frames to " + Path("cut") + "\n");
    for (int frame = 1; frame <= 5; ++frame) {
        EXPECT_EQ(Frame("full", frame), Frame("cut", frame)) << "frame " << frame;
    }
    EXPECT_EQ(Animation("cut", turn).out, "Wrote 0 of 5 frames to " + Path("cut") + "\n");
}

TEST_F(Animate, AFolderHeldByAnotherRunIsRefusedAndAFailedRunLeavesNoFolder) {
    std::filesystem::create_directory(Path("held"));
    const int lock = ::open(Path("held/.orvantis.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const BatchRun held = Animation("held", {"--frames", "2"});
    ::close(lock);
    EXPECT_EQ(held.code, 1);
    EXPECT_EQ(held.err, "orvantis animate: another run is writing into the folder '" +
                            Path("held") + "'; wait for it to end or choose another folder\n");
    EXPECT_EQ(NamesIn(Path("held")), std::set<std::string>{".orvantis.lock"});

    const BatchRun big =
        Animation("big", {"--frames", "2", "--res", "3000000", "--supersample", "4"});
    EXPECT_EQ(big.code, 1);
    EXPECT_EQ(big.err.rfind("orvantis animate: a frame of --res 3000000 with --supersample 4 needs "
                            "536442.9 GiB of memory; ",
                            0),
              0u)
        << big.err;
    EXPECT_FALSE(std::filesystem::exists(Path("big")));
    const int status = InChild([&] {
        LimitFileSize(100);
        return Animation("new/deeper", {"--frames", "2", "--threads", "1"}).code;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("new")));
}

TEST_F(Animate, ThreePartsMakeTheFramesOfOneRunSideBySide) {
    const std::vector<std::string> morph = {"--to", Path("b.gan"), "--frames", "7"};
    ASSERT_EQ(Animation("one", morph).code, 0);
    // Part 2 runs while another process holds part 1 of the same folder.
    std::filesystem::create_directory(Path("parts"));
    const int lock =
        ::open(Path("parts/.orvantis-part-1-of-3.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    std::vector<std::string> second = morph;
    second.insert(second.end(), {"--part", "2/3"});
    const BatchRun two = Animation("parts", second);
    ::close(lock);
    ASSERT_EQ(two.code, 0) << two.err;
    EXPECT_EQ(two.out, "Wrote 2 of 2 frames (part 2/3) to " + Path("parts") + "\n");
    EXPECT_TRUE(std::filesystem::exists(Path("parts/frame-0005.png")));
    EXPECT_FALSE(std::filesystem::exists(Path("parts/frame-0001.png")));
    for (const char* part : {"1/3", "3/3"}) {
        std::vector<std::string> args = morph;
        args.insert(args.end(), {"--part", part});
        ASSERT_EQ(Animation("parts", args).code, 0);
    }
    for (int frame = 1; frame <= 7; ++frame) {
        EXPECT_EQ(Frame("parts", frame), Frame("one", frame)) << "frame " << frame;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("parts/frame-0008.png")));

    std::vector<std::string> wrong = morph;
    wrong.insert(wrong.end(), {"--gan", Path("a.gan"), "--part", "4/3", "-o", Path("x")});
    EXPECT_EQ(ParseAnimateOptions(wrong).error,
              "--part: '4/3' is not K/N, part K of N from 1 to N");
}

TEST_F(Animate, AMorphBetweenTwoTypesIsRefused) {
    GAN record;
    record.type = 2;
    record.a = 1.0;
    unsigned char bytes[kGanBytes];
    EncodeGan(record, bytes);
    WriteText(Path("beta.gan"), std::string(reinterpret_cast<const char*>(bytes), kGanBytes));
    const BatchRun run = Animation("mixed", {"--to", Path("beta.gan"), "--frames", "2"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("another attractor type"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(Path("mixed"))) << "no folder for a refused run";
}

} // namespace
} // namespace orv::test
