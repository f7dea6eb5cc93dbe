#include "cli/animate.h"

#include "command_main.h"
#include "studio/own_options.h"
#include "report.h"

namespace orv {

namespace {

constexpr const char* kUsage =
    R"(Usage: orvantis animate --gan A.gan [--to B.gan] [--turn AXIS] --frames F -o DIR [options]

Renders the frames DIR/frame-0001.png, DIR/frame-0002.png, ... of a morph
from the set of A.gan to that of B.gan (parameters, start point and rotation
moved evenly, the last frame is B's), of a full turn about an axis, or of
both together. Frames already in DIR from the same options are kept, so an
interrupted run goes on where it stopped. Frames render in parallel; each is
the same whatever the number of threads.

  --gan A.gan            the first frame's parameter file
  --to B.gan             the last frame's parameter file, of the same type
  --turn AXIS            x, y or z: one full turn over the frames; the last
                         frame is one step short of it, so that the turn loops
  --frames F             2 to 9999 frames
  -o, --output DIR       the folder of the frames

The frames take the picture options of `orvantis poster`: --res, --steps,
--orbits, --supersample, --depth, --filter, --method, --palette,
--background, --view, --order, --ghost, --exact-orbits, --threads, --progress
and --quiet.
Under --filter normalize, log or log-squared the filter's scale follows the
frames smoothly, so that the brightness does not pump.

Exit status: 0 success; 1 a file could not be written; 2 a mistake in the
options or a file that cannot be read.
)";

} // namespace

AnimateCommandLine ParseAnimateOptions(const std::vector<std::string>& args) {
    AnimateCommandLine result;
    const SplitArguments split = SplitOwnOptions(args, {"--to", "--turn", "--frames", "--output"});
    if (!split.error.empty()) {
        result.error = split.error;
        return result;
    }
    for (const char* refused :
         {"--params", "--start", "--rotation", "--random", "--recipe", "--counts", "--lmap"}) {
        if (Names(split.rest, refused)) {
            result.error = std::string(refused) +
                           " does not go with animate: the parameter files give the sets";
            return result;
        }
    }
    std::vector<std::string> frame = split.rest;
    frame.insert(frame.end(), {"--output", "frame.png"});
    const PosterCommandLine poster = ParsePosterOptions(frame);
    if (poster.action != CommandLineAction::Render) {
        result.action = poster.action;
        result.error = poster.error;
        return result;
    }
    result.options.frame = poster.options;
    result.options.frame.picture.command = "animate";
    if (!poster.options.picture.gan) {
        result.error = "--gan A.gan is needed: the first frame's parameter file";
        return result;
    }
    if (!split.own.contains("--output")) {
        result.error = "-o DIR is needed: the folder to write the frames into";
        return result;
    }
    result.options.directory = split.own.at("--output");
    const auto frames =
        ReadWholeNumber(split.own.contains("--frames") ? split.own.at("--frames") : "", 2, 9999);
    if (!frames) {
        result.error = "--frames F is needed: a number of frames from 2 to 9999";
        return result;
    }
    result.options.frames = static_cast<std::uint32_t>(*frames);
    if (split.own.contains("--to")) {
        result.options.to = split.own.at("--to");
    }
    if (split.own.contains("--turn")) {
        const std::string& axis = split.own.at("--turn");
        if (axis == "x" || axis == "X") {
            result.options.turn = 0;
        } else if (axis == "y" || axis == "Y") {
            result.options.turn = 1;
        } else if (axis == "z" || axis == "Z") {
            result.options.turn = 2;
        } else {
            result.error = "--turn: '" + axis + "' is not x, y or z";
            return result;
        }
    }
    result.action = CommandLineAction::Render;
    return result;
}

int AnimateMain(int argc, char** argv) {
    const AnimateCommandLine line =
        ParseAnimateOptions(std::vector<std::string>(argv + 1, argv + argc));
    return FinishCommandLine("animate", kUsage, line, RunAnimate);
}

} // namespace orv
