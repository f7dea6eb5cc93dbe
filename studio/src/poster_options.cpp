#include "studio/poster_options.h"
#include "studio/own_options.h"

#include "files/file_name.h"

#include <set>
#include <string_view>

namespace orv {

namespace {

using Error = std::optional<std::string>;

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

Error ReadPosterOption(const std::string& name, const std::string& value, PosterOptions& options) {
    if (IsFrameOption(name) || IsFrameSwitch(name)) {
        return ReadFrameOption(name, value, options.frame);
    }
    if (name == "--counts") {
        options.counts = value;
        return std::nullopt;
    }
    if (name == "--recipe") {
        options.recipe = value;
        return std::nullopt;
    }
    if (name == "--orbits") {
        const auto orbits = ReadWholeNumber(value, 1, 65536);
        if (!orbits) {
            return "--orbits: " + Quoted(value) + " is not a number of orbits from 1 to 65536";
        }
        options.orbits = static_cast<std::uint32_t>(*orbits);
        return std::nullopt;
    }
    if (name == "--threads") {
        const auto threads = ReadWholeNumber(value, 1, 1024);
        if (!threads) {
            return "--threads: " + Quoted(value) + " is not a number of threads from 1 to 1024";
        }
        options.threads = static_cast<unsigned>(*threads);
        return std::nullopt;
    }
    if (name == "--supersample") {
        const auto factor = ReadWholeNumber(value, 1, 4);
        if (!factor) {
            return "--supersample: " + Quoted(value) + " is not 1, 2, 3 or 4";
        }
        options.supersample = static_cast<int>(*factor);
        return std::nullopt;
    }
    // --depth
    if (value != "8" && value != "16") {
        return "--depth: " + Quoted(value) + " is not 8 or 16";
    }
    options.depth = value == "8" ? 8 : 16;
    return std::nullopt;
}

// Options that leave the picture as it is, and so go with --recipe.
bool KeepsThePicture(const std::string& name) {
    return name == "-o" || name == "--output" || name == "--progress" || name == "--quiet";
}

Error CheckCombination(const PosterOptions& options, const std::vector<std::string>& renderArgs,
                       bool pictureOptionGiven) {
    if (options.picture.lmap) {
        return "--lmap: a poster draws the attractor; render draws the Lyapunov map";
    }
    if (!EndsInAnyCase(options.picture.output, ".png")) {
        return "-o: " + Quoted(options.picture.output) +
               " must end in .png: a poster is a PNG file";
    }
    if (options.picture.steps > kMaximumPosterSteps) {
        return "--steps: a poster takes at most " + std::to_string(kMaximumPosterSteps) + " steps";
    }
    if (options.recipe) {
        for (std::size_t i = 0; i < renderArgs.size(); ++i) {
            const std::string name = renderArgs[i].substr(0, renderArgs[i].find('='));
            if (!KeepsThePicture(name)) {
                return name + " cannot be combined with --recipe, which gives the whole picture";
            }
            if ((name == "-o" || name == "--output") && name == renderArgs[i]) {
                ++i;
            }
        }
        if (pictureOptionGiven) {
            return "--orbits, --supersample and --depth cannot be combined with --recipe, "
                   "which gives the whole picture";
        }
        if (options.frame.size || options.frame.fit || options.frame.margin) {
            return "--size, --fit and --margin cannot be combined with --recipe, which gives the "
                   "whole picture";
        }
        if (options.exactOrbits) {
            return "--exact-orbits cannot be combined with --recipe, which gives the whole "
                   "picture";
        }
    }
    return CheckFrameOptions(options.frame, options.picture);
}

PosterCommandLine Failed(std::string error) {
    PosterCommandLine result;
    result.error = std::move(error);
    return result;
}

} // namespace

PosterCommandLine ParsePosterOptions(const std::vector<std::string>& args) {
    static const std::set<std::string, std::less<>> posterOptions = {
        "--orbits", "--threads", "--supersample", "--depth", "--counts",
        "--recipe", "--size",    "--margin",      "--fit",   "--no-fit"};
    PosterCommandLine result;
    std::vector<std::string> renderArgs;
    bool pictureOptionGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        if (arg == "--exact-orbits") {
            result.options.exactOrbits = true;
            continue;
        }
        if (!posterOptions.contains(name)) {
            renderArgs.push_back(arg);
            continue;
        }
        std::string value;
        if (IsFrameSwitch(name)) {
            if (equals != std::string::npos) {
                return Failed(name + " takes no value");
            }
        } else if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
            value = args[++i];
        } else {
            return Failed(name + " needs a value");
        }
        if (Error error = ReadPosterOption(name, value, result.options)) {
            return Failed(*error);
        }
        pictureOptionGiven = pictureOptionGiven || name == "--orbits" || name == "--supersample" ||
                             name == "--depth";
    }

    const CommandLine line = ParsePictureOptions(renderArgs);
    if (line.action != CommandLineAction::Render) {
        result.action = line.action;
        result.error = line.error;
        return result;
    }
    result.options.picture = line.options;
    result.options.picture.command = "poster";
    if (Error error = CheckCombination(result.options, renderArgs, pictureOptionGiven)) {
        return Failed(*error);
    }
    result.action = CommandLineAction::Render;
    return result;
}

} // namespace orv
