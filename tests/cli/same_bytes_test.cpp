// Posters, explore folders and animation frames of a dozen option sets, each
// file against the hash of the bytes the program wrote before the renderer
// became the studio (the gallery pages since they show command lines and
// sort in the browser). A changed byte anywhere, in the pixels, the recipe text
// or the counts, changes a hash.
#include "batch_fixture.h"

#include "cli/animate.h"
#include "cli/explore.h"
#include "cli/poster.h"
#include "studio/lane_isa.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace orv::test {
namespace {

// FNV-1a, 64 bits.
std::uint64_t Hash(const std::vector<unsigned char>& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char byte : bytes) {
        hash = (hash ^ byte) * 0x100000001b3ULL;
    }
    return hash;
}

using Hashes = std::vector<std::pair<std::string, std::uint64_t>>;

class SameBytes : public BatchTest {
  protected:
    template <typename Parse, typename Run>
    void Command(Parse parse, Run run, std::vector<std::string> args, const std::string& output) {
        args.insert(args.end(), {"--quiet", "-o", Path(output)});
        const auto line = parse(args);
        ASSERT_EQ(line.action, CommandLineAction::Render) << line.error;
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(run(line.options, out, err, false), 0) << err.str();
    }

    void ExpectHashes(const Hashes& expected) {
        for (const auto& [name, hash] : expected) {
            EXPECT_EQ(Hash(ReadBytes(Path(name))), hash) << name;
        }
    }
};

TEST_F(SameBytes, PostersOfEveryTypeMethodFilterSupersampleAndDepth) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> posters = {
        {{"--exact-orbits", "--type", "standard", "--res", "64", "--steps", "20000", "--orbits",
          "4", "--threads", "2"},
         "p1.png"},
        {{"--exact-orbits", "--type", "alpha", "--res", "48", "--steps", "20000", "--orbits", "3",
          "--method", "hit-count", "--threads", "1"},
         "p2.png"},
        {{"--exact-orbits", "--type", "beta", "--res", "40", "--steps", "15000", "--orbits", "2",
          "--method", "z-plane", "--supersample", "2"},
         "p3.png"},
        {{"--exact-orbits", "--type", "gamma", "--res", "32", "--steps", "15000", "--orbits", "2",
          "--depth", "16", "--filter", "log", "--method", "hit-count"},
         "p4.png"},
        {{"--exact-orbits", "--type", "alpha", "--res", "36", "--steps", "15000", "--orbits", "5",
          "--supersample", "3", "--depth", "16", "--filter", "equalize", "--method", "hit-count"},
         "p5.png"},
        {{"--exact-orbits", "--type", "standard", "--res", "40", "--steps", "20000", "--orbits",
          "2", "--filter", "log-squared", "--method", "hit-count", "--background", "10,20,30",
          "--palette", "2"},
         "p6.png"},
        {{"--exact-orbits", "--type", "beta", "--res", "30", "--steps", "10000", "--orbits", "2",
          "--supersample", "4", "--filter", "normalize", "--method", "hit-count", "--counts",
          Path("p7.exr")},
         "p7.png"},
        {{"--exact-orbits", "--random=7", "--res", "40", "--steps", "10000", "--orbits", "2"},
         "p8.png"},
    };
    for (const auto& [args, output] : posters) {
        Command(ParsePosterOptions, RunPoster, args, output);
    }
    ExpectHashes({{"p1.png", 0x5c36396d64fd0544ULL},
                  {"p2.png", 0xa764602ea2ee28f7ULL},
                  {"p3.png", 0x9819cd29abbcd1efULL},
                  {"p4.png", 0x9c5c88f2da4165f3ULL},
                  {"p5.png", 0x78778805efd0f4a5ULL},
                  {"p6.png", 0xd3112e934c23ebb1ULL},
                  {"p7.exr", 0xf2dd0d18cef612e4ULL},
                  {"p7.png", 0x7429ced26dca9c5fULL},
                  {"p8.png", 0x4f45a5826c5b58f6ULL}});
}

TEST_F(SameBytes, ExploreFoldersAndTheAnimationsBetweenTheirSets) {
    Command(ParseExploreOptions, RunExplore,
            {"--exact-orbits", "--type", "alpha", "--count", "3", "--seed", "5", "--res", "40",
             "--steps", "10000", "--orbits", "2", "--threads", "1", "--no-fit"},
            "e1");
    Command(ParseExploreOptions, RunExplore,
            {"--exact-orbits", "--type", "standard", "--count", "2", "--seed", "9", "--res", "32",
             "--steps", "8000", "--orbits", "2", "--method", "hit-count", "--filter", "log",
             "--no-fit"},
            "e2");
    Command(ParseAnimateOptions, RunAnimate,
            {"--exact-orbits", "--gan", Path("e1/set-0001.gan"), "--to", Path("e1/set-0002.gan"),
             "--res", "32", "--steps", "8000", "--orbits", "2", "--turn", "z", "--frames", "3",
             "--method", "speed", "--no-fit"},
            "a1");
    Command(ParseAnimateOptions, RunAnimate,
            {"--exact-orbits", "--gan", Path("e1/set-0002.gan"), "--res", "32", "--steps", "8000",
             "--orbits", "2", "--turn", "x", "--frames", "2", "--depth", "16", "--method", "speed",
             "--no-fit"},
            "a2");
    ExpectHashes({{"e1/index.html", 0xef57b354c208e051ULL},
                  {"e1/set-0001.gan", 0x768d074a6a609925ULL},
                  {"e1/set-0001.png", 0x3d3bfe5e3a6f1327ULL},
                  {"e1/set-0002.gan", 0x511ad6851327fb28ULL},
                  {"e1/set-0002.png", 0x7be4750ea7f76698ULL},
                  {"e1/set-0003.gan", 0xe0f4dd04a674f793ULL},
                  {"e1/set-0003.png", 0xe8361137addccad5ULL},
                  {"e2/index.html", 0x2a1db262215f7adaULL},
                  {"e2/set-0001.gan", 0x00ccdd21450bea81ULL},
                  {"e2/set-0001.png", 0x3350802a27e73048ULL},
                  {"e2/set-0002.gan", 0xfd2a7f3e63ca4ff8ULL},
                  {"e2/set-0002.png", 0x11e7d0cba7226f0cULL},
                  {"a1/frame-0001.png", 0xcf3f59eb0a7e7c89ULL},
                  {"a1/frame-0002.png", 0x95e12ae4c86dd339ULL},
                  {"a1/frame-0003.png", 0x9d50875c5fec552bULL},
                  {"a2/frame-0001.png", 0xcb4290d83032d6a7ULL},
                  {"a2/frame-0002.png", 0x4dc23c43b0b86b38ULL}});
}

TEST_F(SameBytes, LanesGiveOneFileOnEveryPathAndThreadCountAndOldRecipesTheirOldBytes) {
    const std::vector<std::string> poster = {"--type", "alpha",    "--ghost", "--res",
                                             "48",     "--steps",  "30000",   "--orbits",
                                             "11",     "--method", "speed"};
    for (const LaneIsa isa : {LaneIsa::Scalar, LaneIsa::Sse2, LaneIsa::Avx2, LaneIsa::Avx512}) {
        if (!HasLaneIsa(isa)) {
            continue;
        }
        setenv("ORVANTIS_ISA", LaneIsaName(isa), 1);
        for (const std::string threads : {"1", "2", "3"}) {
            std::vector<std::string> args = poster;
            args.insert(args.end(), {"--threads", threads});
            const std::string name = std::string("v-") + LaneIsaName(isa) + "-" + threads + ".png";
            Command(ParsePosterOptions, RunPoster, args, name);
            ExpectHashes({{name, 0xb15cd8328226abe8ULL}});
        }
        unsetenv("ORVANTIS_ISA");
    }
    Command(ParseExploreOptions, RunExplore,
            {"--type", "beta", "--count", "1", "--seed", "3", "--res", "40", "--steps", "10000",
             "--orbits", "5"},
            "ve");
    Command(ParseAnimateOptions, RunAnimate,
            {"--gan", Path("ve/set-0001.gan"), "--res", "32", "--steps", "8000", "--orbits", "6",
             "--turn", "y", "--frames", "2"},
            "va");
    // A poster of exact orbits has no line naming the arithmetic, as every
    // poster made before the lanes: its recipe draws it again the same.
    Command(ParsePosterOptions, RunPoster,
            {"--exact-orbits", "--type", "alpha", "--res", "48", "--steps", "20000", "--orbits",
             "3", "--method", "hit-count", "--threads", "1"},
            "p2.png");
    Command(ParsePosterOptions, RunPoster, {"--recipe", Path("p2.png")}, "p2-again.png");
    Command(ParsePosterOptions, RunPoster, {"--recipe", Path("v-scalar-1.png")}, "v-again.png");
    ExpectHashes({{"ve/set-0001.png", 0x57e82c53446d9466ULL},
                  {"va/frame-0001.png", 0xf28f53741cc89614ULL},
                  {"va/frame-0002.png", 0x17e8a9ae9a63f5f6ULL},
                  {"p2.png", 0xa764602ea2ee28f7ULL},
                  {"p2-again.png", 0xa764602ea2ee28f7ULL},
                  {"v-again.png", 0xb15cd8328226abe8ULL}});
}

} // namespace
} // namespace orv::test
