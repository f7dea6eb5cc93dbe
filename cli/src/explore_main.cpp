#include "cli/explore.h"

#include "command_main.h"
#include "studio/own_options.h"
#include "report.h"

namespace orv {

namespace {

// Several thumbnails are rendered at once, each with its own counts.
constexpr long kLargestThumbnail = 1024;

constexpr const char* kUsage =
    R"(Usage: orvantis explore --type T --count N [--seed S] -o DIR [options]

Finds N chaotic parameter sets of one attractor type with the program's own
random search, renders each as a thumbnail and writes DIR/index.html, a
gallery page of them sorted by Lyapunov exponent. Sets whose picture is a
few dots, a line or a filled square are passed over. The same seed gives the
same sets whatever the number of threads; neighbouring seeds give unrelated
ones.

  --type T               standard, alpha, beta or gamma (0 to 3)
  --count N              sets to find, 1 to 10000 (12)
  --seed S               0 to 4294967295 (1)
  -o, --output DIR       the folder of the pictures, parameter files and page
  --force                replace the sets another run left in DIR: they are
                         removed once this run's page is written

The thumbnails take the picture options of `orvantis poster`: --res (256, at most 1024),
--steps (400000), --orbits (8), --method (hit-count), --filter (log),
--palette, --background, --start, --rotation, --order, --view, --ghost,
--supersample, --depth, --exact-orbits, --threads, --progress and --quiet.

A run that stops early leaves the page of the sets already there. Two runs
never write into one folder at once.

Exit status: 0 success; 1 a file could not be written, or another run is
writing into DIR; 2 a mistake in the options, or DIR holds another run's sets
without --force; 3 fewer sets than asked were found.
)";

} // namespace

ExploreCommandLine ParseExploreOptions(const std::vector<std::string>& args) {
    ExploreCommandLine result;
    const SplitArguments split = SplitOwnOptions(args, {"--count", "--seed", "--output"});
    if (!split.error.empty()) {
        result.error = split.error;
        return result;
    }
    for (const char* refused :
         {"--params", "--random", "--recipe", "--counts", "--lmap", "--gan"}) {
        if (Names(split.rest, refused)) {
            result.error = std::string(refused) + " does not go with explore, which finds the sets";
            return result;
        }
    }
    std::vector<std::string> thumbnail;
    for (const std::string& arg : split.rest) {
        if (arg == "--force") {
            result.options.force = true;
        } else if (arg.rfind("--force=", 0) == 0) {
            result.error = "--force takes no value";
            return result;
        } else {
            thumbnail.push_back(arg);
        }
    }
    const bool methodGiven = Names(thumbnail, "--method");
    for (const auto& [name, value] :
         {std::pair{"--res", "256"}, std::pair{"--steps", "400000"}, std::pair{"--orbits", "8"},
          std::pair{"--method", "hit-count"}}) {
        if (!Names(thumbnail, name)) {
            thumbnail.insert(thumbnail.end(), {name, value});
        }
    }
    if (!methodGiven && !Names(thumbnail, "--filter")) {
        thumbnail.insert(thumbnail.end(), {"--filter", "log"});
    }
    thumbnail.insert(thumbnail.end(), {"--output", "thumbnail.png"});
    const PosterCommandLine poster = ParsePosterOptions(thumbnail);
    if (poster.action != CommandLineAction::Render) {
        result.action = poster.action;
        result.error = poster.error;
        return result;
    }
    result.options.thumbnail = poster.options;
    result.options.thumbnail.picture.command = "explore";
    if (poster.options.picture.res.value_or(0) > kLargestThumbnail) {
        result.error =
            "--res: a thumbnail is at most " + std::to_string(kLargestThumbnail) + " pixels wide";
        return result;
    }
    if (!Names(split.rest, "--type")) {
        result.error = "--type is needed: the type whose sets are looked for";
        return result;
    }
    if (!split.own.contains("--output")) {
        result.error = "-o DIR is needed: the folder to write into";
        return result;
    }
    result.options.directory = split.own.at("--output");
    if (split.own.contains("--count")) {
        const auto count = ReadWholeNumber(split.own.at("--count"), 1, 10000);
        if (!count) {
            result.error =
                "--count: '" + split.own.at("--count") + "' is not a number from 1 to 10000";
            return result;
        }
        result.options.count = static_cast<std::uint32_t>(*count);
    }
    if (split.own.contains("--seed")) {
        const auto seed = ReadWholeNumber(split.own.at("--seed"), 0, 4294967295ul);
        if (!seed) {
            result.error =
                "--seed: '" + split.own.at("--seed") + "' is not a seed from 0 to 4294967295";
            return result;
        }
        result.options.seed = static_cast<std::uint32_t>(*seed);
    }
    result.action = CommandLineAction::Render;
    return result;
}

int ExploreMain(int argc, char** argv) {
    const ExploreCommandLine line =
        ParseExploreOptions(std::vector<std::string>(argv + 1, argv + argc));
    return FinishCommandLine("explore", kUsage, line, RunExplore);
}

} // namespace orv
