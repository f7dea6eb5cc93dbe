#include "studio/explore_options.h"
#include "studio/own_options.h"
#include "studio/tone_settings.h"

namespace orv {

namespace {

// Several thumbnails are rendered at once, each with its own counts.
constexpr long kLargestThumbnail = 1024;

// explore --merge DIR [--quiet]: the finished parts in DIR made one run.
ExploreCommandLine ParseMerge(const SplitArguments& split) {
    ExploreCommandLine result;
    for (const std::string& arg : split.rest) {
        if (arg == "--quiet") {
            result.options.thumbnail.picture.display = BatchDisplay::Quiet;
        } else {
            result.error = arg + " does not go with --merge, which takes the parts' folder alone";
            return result;
        }
    }
    if (split.own.size() > 1) {
        result.error = "--merge takes the parts' folder alone";
        return result;
    }
    result.options.merge = true;
    result.options.directory = split.own.at("--merge");
    result.action = CommandLineAction::Render;
    return result;
}

} // namespace

ExploreCommandLine ParseExploreOptions(const std::vector<std::string>& args) {
    ExploreCommandLine result;
    const SplitArguments split =
        SplitOwnOptions(args, {"--count", "--seed", "--output", "--part", "--merge"});
    if (!split.error.empty()) {
        result.error = split.error;
        return result;
    }
    if (split.own.contains("--merge")) {
        return ParseMerge(split);
    }
    if (split.own.contains("--part")) {
        const std::string& text = split.own.at("--part");
        const std::optional<RunPart> part = ReadRunPart(text, 10000);
        if (!part) {
            result.error = "--part: '" + text + "' is not K/N, part K of N from 1 to N";
            return result;
        }
        result.options.part = *part;
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
    if (Names(thumbnail, "--size")) {
        result.error = "--size: thumbnails are square; give their side with --res";
        return result;
    }
    const bool methodGiven = Names(thumbnail, "--method");
    for (const auto& [name, value] :
         {std::pair{"--res", "256"}, std::pair{"--steps", "400000"}, std::pair{"--orbits", "8"},
          std::pair{"--method", "hit-count"}}) {
        if (!Names(thumbnail, name)) {
            thumbnail.insert(thumbnail.end(), {name, value});
        }
    }
    if (!methodGiven && !Names(thumbnail, "--filter") && !NamesToneOption(thumbnail)) {
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

} // namespace orv
