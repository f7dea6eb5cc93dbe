#include "batch_fixture.h"
#include "child_process.h"

#include "cli/animate.h"
#include "cli/explore.h"
#include "cli/poster.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace orv::test {
namespace {

// The elements a gallery page may hold, and whether each has an end tag.
bool Balanced(const std::string& page, std::string& problem) {
    static const std::set<std::string> empty = {"meta", "img", "br", "input"};
    std::vector<std::string> open;
    const std::regex tag("<(/?)([a-zA-Z0-9!]+)[^>]*>");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), tag);
         it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        if (name == "!DOCTYPE" || empty.contains(name)) {
            continue;
        }
        if ((*it)[1] == "") {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            problem = "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
            return false;
        } else {
            open.pop_back();
        }
    }
    problem = open.empty() ? "" : "<" + open.back() + "> is never closed";
    return open.empty();
}

class Explore : public BatchTest {
  protected:
    // Thumbnails of sets of the alpha type, with the options given.
    BatchRun Run(const std::string& folder, std::vector<std::string> more) {
        std::vector<std::string> args = {"--type", "alpha",    "--res", "200", "--steps",
                                         "30000",  "--orbits", "2",     "-o",  Path(folder)};
        args.insert(args.end(), more.begin(), more.end());
        return RunLine(args);
    }

    // explore with exactly these arguments.
    BatchRun RunLine(const std::vector<std::string>& args) {
        const ExploreCommandLine line = ParseExploreOptions(args);
        EXPECT_EQ(line.action, CommandLineAction::Render) << line.error;
        std::ostringstream out;
        std::ostringstream err;
        BatchRun run;
        run.code = RunExplore(line.options, out, err, false);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::string Page(const std::string& folder) {
        const std::vector<unsigned char> bytes = ReadBytes(Path(folder + "/index.html"));
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(Explore, TheGalleryIsValidLinksEveryFileAndIsTheSameOnOneAndTwoThreads) {
    const std::vector<std::string> sets = {"--count", "3", "--seed", "5", "--threads"};
    std::vector<std::string> one = sets;
    one.push_back("1");
    std::vector<std::string> two = sets;
    two.push_back("2");
    const BatchRun first = Run("one", one);
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.err, "");
    ASSERT_EQ(Run("two", two).code, 0);
    const std::string page = Page("one");
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"en\">", 0), 0u);
    std::string problem;
    EXPECT_TRUE(Balanced(page, problem)) << problem;

    const std::regex link("(href|src)=\"([^\"]*)\"");
    std::set<std::string> linked;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), link);
         it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        EXPECT_EQ(name.find('/'), std::string::npos) << "a relative link in the folder: " << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(Path("one/" + name))) << name;
        linked.insert(name);
    }
    EXPECT_EQ(linked, (std::set<std::string>{"set-0001.png", "set-0001.gan", "set-0002.png",
                                             "set-0002.gan", "set-0003.png", "set-0003.gan"}));

    std::vector<double> exponents;
    const std::regex exponent("exponent ([0-9.]+)");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), exponent);
         it != std::sregex_iterator(); ++it) {
        exponents.push_back(std::stod((*it)[1]));
    }
    ASSERT_EQ(exponents.size(), 3u);
    EXPECT_TRUE(std::is_sorted(exponents.rbegin(), exponents.rend())) << "highest first";
    EXPECT_GE(exponents.back(), 0.3);

    for (const std::string& name : linked) {
        EXPECT_EQ(ReadBytes(Path("one/" + name)), ReadBytes(Path("two/" + name))) << name;
    }
    EXPECT_EQ(ReadBytes(Path("one/index.html")), ReadBytes(Path("two/index.html")));
    const Gan gan(Path("one/set-0002.gan"));
    EXPECT_EQ(gan.type(), 1);
    EXPECT_NE(page.find(std::to_string(gan.a()).substr(0, 6)), std::string::npos)
        << "the page shows the parameters";
}

// The words of the command line on the page whose output ends in ending.
std::vector<std::string> CommandOnPage(const std::string& page, const std::string& ending) {
    const std::regex code("<code>orvantis [a-z]+ ([^<]*" + ending + ")</code>");
    std::smatch found;
    std::vector<std::string> words;
    if (std::regex_search(page, found, code)) {
        std::istringstream line(found[1]);
        for (std::string word; line >> word;) {
            words.push_back(word);
        }
    }
    return words;
}

TEST_F(Explore, ASetsCommandLinesDrawItAgainAsItsThumbnailIsFramed) {
    ASSERT_EQ(Run("g", {"--count", "2", "--seed", "5", "--quiet"}).code, 0);
    std::vector<std::string> poster = CommandOnPage(Page("g"), "set-0002-poster.png");
    EXPECT_EQ(poster, (std::vector<std::string>{"--gan", "set-0002.gan", "--method", "hit-count",
                                                "--filter", "log", "--fit", "--res", "3000",
                                                "--supersample", "2", "--steps", "400000000", "-o",
                                                "set-0002-poster.png"}));
    // At the thumbnail's size and steps the poster is the thumbnail, byte
    // for byte: the same set, look and framing.
    ASSERT_EQ(poster.size(), 15u);
    poster[1] = Path("g/set-0002.gan");
    poster.resize(7);
    poster.insert(poster.end(), {"--res", "200", "--steps", "30000", "--orbits", "2", "--quiet",
                                 "-o", Path("again.png")});
    const PosterCommandLine line = ParsePosterOptions(poster);
    ASSERT_EQ(line.action, CommandLineAction::Render) << line.error;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunPoster(line.options, out, err, false), 0) << err.str();
    EXPECT_EQ(ReadBytes(Path("again.png")), ReadBytes(Path("g/set-0002.png")));

    std::vector<std::string> turn = CommandOnPage(Page("g"), "set-0001-turn");
    EXPECT_EQ(turn, (std::vector<std::string>{"--gan", "set-0001.gan", "--method", "hit-count",
                                              "--filter", "log", "--fit", "--turn", "y", "--frames",
                                              "120", "--res", "720", "--steps", "20000000", "-o",
                                              "set-0001-turn"}));
    EXPECT_EQ(ParseAnimateOptions(turn).action, CommandLineAction::Render);

    // With a view given the thumbnails keep it, and the command lines say so.
    ASSERT_EQ(Run("v", {"--count", "1", "--seed", "5", "--quiet", "--view", "-2,2,-1.5,2.5"}).code,
              0);
    EXPECT_NE(Page("v").find(" --view -2,2,-1.5,2.5 --res 3000"), std::string::npos);
    EXPECT_EQ(ParseExploreOptions({"--type", "beta", "--size", "300x200", "-o", Path("w")}).error,
              "--size: thumbnails are square; give their side with --res");
}

TEST_F(Explore, AnOldGalleryStaysWholeUntilANewPageListsAsManySets) {
    const std::vector<std::string> seed5 = {"--seed", "5", "--threads", "1", "--quiet"};
    std::vector<std::string> three = seed5;
    three.insert(three.end(), {"--count", "3"});
    ASSERT_EQ(Run("g", three).code, 0);
    const std::string page = Page("g");
    const std::set<std::string> names = NamesIn(Path("g"));
    EXPECT_EQ(names,
              (std::set<std::string>{"index.html", "set-0001.gan", "set-0001.png", "set-0002.gan",
                                     "set-0002.png", "set-0003.gan", "set-0003.png"}));

    // A run that cannot write its first set leaves the page as it was.
    const int status = InChild([&] {
        LimitFileSize(100);
        return Run("g", three).code;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(Page("g"), page);
    EXPECT_EQ(NamesIn(Path("g")), names);

    // Two sets of the same seed are the first two of the three there.
    const BatchRun fewer = Run("g", {"--seed", "5", "--threads", "1", "--count", "2"});
    EXPECT_EQ(fewer.code, 0);
    EXPECT_EQ(fewer.out.rfind(
                  "Wrote 2 sets; " + Path("g/index.html") + " still lists the folder's 3 sets;", 0),
              0u)
        << fewer.out;
    EXPECT_EQ(Page("g"), page);
    EXPECT_EQ(NamesIn(Path("g")), names);
}

TEST_F(Explore, AnotherRunsSetsAreReplacedOnlyWithForce) {
    ASSERT_EQ(Run("g", {"--count", "3", "--seed", "5", "--threads", "1", "--quiet"}).code, 0);
    const std::string page = Page("g");
    const std::set<std::string> names = NamesIn(Path("g"));

    const std::vector<std::string> seed6 = {"--count", "2", "--seed", "6", "--threads", "1"};
    const BatchRun refused = Run("g", seed6);
    EXPECT_EQ(refused.code, 2);
    EXPECT_EQ(refused.err, "orvantis explore: the folder '" + Path("g") +
                               "' holds the sets of another run; give --force to replace "
                               "them, or choose a new folder\n");
    EXPECT_EQ(Page("g"), page);
    EXPECT_EQ(NamesIn(Path("g")), names);

    std::vector<std::string> forced = seed6;
    forced.push_back("--force");
    const BatchRun replaced = Run("g", forced);
    EXPECT_EQ(replaced.code, 0) << replaced.err;
    EXPECT_EQ(replaced.out.rfind("Wrote 2 sets and " + Path("g/index.html") + ";", 0), 0u)
        << replaced.out;
    EXPECT_NE(Page("g").find("<title>Alpha attractors from seed 6</title>"), std::string::npos);
    EXPECT_EQ(NamesIn(Path("g")),
              (std::set<std::string>{"index.html", "set-0001.gan", "set-0001.png", "set-0002.gan",
                                     "set-0002.png"}));
}

TEST_F(Explore, AFolderHeldByAnotherRunOrNotToBeMadeIsRefusedBeforeAnyWrite) {
    std::filesystem::create_directory(Path("held"));
    const int lock = ::open(Path("held/.orvantis.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const BatchRun held = Run("held", {"--count", "1"});
    ::close(lock);
    EXPECT_EQ(held.code, 1);
    EXPECT_EQ(held.err, "orvantis explore: another run is writing into the folder '" +
                            Path("held") + "'; wait for it to end or choose another folder\n");
    EXPECT_EQ(NamesIn(Path("held")), std::set<std::string>{".orvantis.lock"});

    // A refused option makes no folder; a failed run removes the one it made.
    EXPECT_EQ(Run("new/deeper", {"--palette", Path("none.map")}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(Path("new")));
    const int status = InChild([&] {
        LimitFileSize(100);
        return Run("new/deeper", {"--count", "1", "--threads", "1"}).code;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("new")));
}

TEST_F(Explore, PartsMergedMakeTheSetsAndPageOfOneRun) {
    const std::vector<std::string> search = {"--count", "4", "--seed", "7"};
    ASSERT_EQ(Run("one", search).code, 0);
    const auto runParts = [&](const std::string& folder) {
        for (const char* part : {"1/3", "2/3", "3/3"}) {
            std::vector<std::string> args = search;
            args.insert(args.end(), {"--part", part});
            ASSERT_EQ(Run(folder, args).code, 0);
        }
    };
    const auto merge = [&](const std::string& folder) {
        return RunLine({"--merge", Path(folder)});
    };
    const auto expectOneRun = [&](const std::string& folder) {
        EXPECT_EQ(Page(folder), Page("one"));
        for (const char* name : {"set-0001.png", "set-0002.gan", "set-0004.png", "set-0004.gan"}) {
            EXPECT_EQ(ReadBytes(Path(folder + "/" + name)),
                      ReadBytes(Path(std::string("one/") + name)))
                << name;
        }
        EXPECT_FALSE(std::filesystem::exists(Path(folder + "/part-1")));
    };

    runParts("parts");
    EXPECT_TRUE(std::filesystem::exists(Path("parts/part-2/part.txt")));
    const BatchRun merged = merge("parts");
    ASSERT_EQ(merged.code, 0) << merged.err;
    EXPECT_EQ(merged.out, "Wrote 4 sets and " + Path("parts/index.html") + "\n");
    expectOneRun("parts");

    // A part that stopped before searches the run needs: the merge makes
    // them itself.
    runParts("short");
    std::ifstream in(Path("short/part-2/part.txt"));
    std::string kept;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("set ", 0) != 0) {
            kept += (line.rfind("next ", 0) == 0 ? "next 0" : line) + "\n";
        }
    }
    in.close();
    WriteText(Path("short/part-2/part.txt"), kept);
    ASSERT_EQ(merge("short").code, 0);
    expectOneRun("short");

    std::vector<std::string> first = search;
    first.insert(first.end(), {"--part", "1/3"});
    ASSERT_EQ(Run("lacking", first).code, 0);
    const BatchRun lacking = merge("lacking");
    EXPECT_EQ(lacking.code, 2);
    EXPECT_EQ(lacking.err, "orvantis explore: part 2 of 3 in '" + Path("lacking") +
                               "' is missing, unfinished or of another run; run it again with "
                               "--part 2/3\n");
}

TEST(ExploreOptions, AToneOptionTakesThePlaceOfTheDefaultLogFilter) {
    const ExploreCommandLine plain = ParseExploreOptions({"--type", "alpha", "-o", "dir"});
    ASSERT_EQ(plain.action, CommandLineAction::Render) << plain.error;
    EXPECT_EQ(plain.options.thumbnail.picture.filter, BatchFilter::Log);
    EXPECT_FALSE(plain.options.thumbnail.picture.tone);
    const ExploreCommandLine toned =
        ParseExploreOptions({"--type", "alpha", "--gamma=3", "-o", "dir"});
    ASSERT_EQ(toned.action, CommandLineAction::Render) << toned.error;
    EXPECT_FALSE(toned.options.thumbnail.picture.filter);
    EXPECT_EQ(toned.options.thumbnail.picture.tone->gamma, 3.0);
}

} // namespace
} // namespace orv::test
