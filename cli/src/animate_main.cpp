#include "cli/animate.h"

#include "cli/report.h"
#include "command_main.h"
#include "studio/own_options.h"

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
  --part K/N             only frames K, K+N, K+2N, ...: N runs, each with its
                         own K (the tasks of an array job), make the frames
                         of one run into the same folder

  --ease                 slow in at the start and out at the end
  --keep-chaotic         bends a morph through chaotic sets where it would
                         leave chaos (frames of which are named in a warning
                         before any is drawn)

The frames take the picture options of `orvantis poster`: --res, --size,
--steps, --orbits, --supersample, --depth, --filter, --method (hit-count
with --filter log, as the gallery's thumbnails, when neither is given),
--palette, --background, --view, --order, --ghost, --exact-orbits,
--threads, --progress and --quiet. One view frames every frame's set
(--margin PCT, 5) unless --view or --no-fit is given. Under --filter
normalize, log or log-squared the filter's scale follows the frames
smoothly, so that the brightness does not pump.

Exit status: 0 success; 1 a file could not be written; 2 a mistake in the
options or a file that cannot be read.
)";

} // namespace

AnimateCommandLine ParseAnimateOptions(const std::vector<std::string>& args) {
    AnimateCommandLine result;
    const SplitArguments split =
        SplitOwnOptions(args, {"--to", "--turn", "--frames", "--output", "--part"});
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
    std::vector<std::string> frame;
    for (const std::string& arg : split.rest) {
        if (arg == "--ease") {
            result.options.ease = true;
        } else if (arg == "--keep-chaotic") {
            result.options.keepChaotic = true;
        } else {
            frame.push_back(arg);
        }
    }
    // The frames look like the gallery's thumbnails unless told otherwise.
    if (!Names(frame, "--method") && !Names(frame, "--filter")) {
        frame.insert(frame.end(), {"--method", "hit-count", "--filter", "log"});
    }
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
    const std::optional<std::uint32_t> frames = ReadFrameCount(
        split.own.contains("--frames") ? split.own.at("--frames") : "", result.error);
    if (!frames) {
        return result;
    }
    result.options.frames = *frames;
    if (split.own.contains("--part")) {
        const std::string& text = split.own.at("--part");
        const std::optional<RunPart> part = ReadRunPart(text, 9999);
        if (!part) {
            result.error = "--part: '" + text + "' is not K/N, part K of N from 1 to N";
            return result;
        }
        result.options.part = *part;
    }
    if (split.own.contains("--to")) {
        result.options.to = split.own.at("--to");
    }
    if (split.own.contains("--turn")) {
        result.options.turn = ReadTurnAxis(split.own.at("--turn"), result.error);
        if (!result.options.turn) {
            return result;
        }
    }
    result.action = CommandLineAction::Render;
    return result;
}

int AnimateMain(int argc, char** argv) {
    const AnimateCommandLine line =
        ParseAnimateOptions(std::vector<std::string>(argv + 1, argv + argc));
    // Started as the ranks of a job, each rank takes its part.
    const RankCommands* ranks = JobRankCommands();
    return FinishCommandLine("animate", kUsage, line,
                             ranks != nullptr ? ranks->animate : RunAnimate);
}

} // namespace orv
