// `orvantis animate`: the frames of a morph from one parameter file to
// another, of a full turn about an axis, or of both, as poster PNGs.
#pragma once

#include "cli/poster_options.h"
#include "studio/poster_recipe.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orv {

struct AnimateOptions {
    PosterOptions frame; // the picture options, --gan the first frame's set
    std::optional<std::string> to;
    std::optional<int> turn; // 0 about X, 1 about Y, 2 about Z
    std::uint32_t frames = 0;
    std::string directory;
};

using AnimateCommandLine = ParsedCommandLine<AnimateOptions>;

// Reads the arguments that follow `animate`.
AnimateCommandLine ParseAnimateOptions(const std::vector<std::string>& args);

// Frame index (0 to frames - 1) of the animation from first to last: the
// parameters, start point, rotation and view moved from first's to last's
// (last is first without --to) and the turn added. A morph ends on last; a
// turn ends one step short of the full circle, so that it loops.
PosterRecipe FrameRecipe(const PosterRecipe& first, const PosterRecipe& last,
                         std::optional<int> turn, std::uint32_t frames, std::uint32_t index);

// The filter scale of every frame from the largest counts of quick probes:
// the mean over the frame and its three neighbours on each side (around the
// circle for a turn alone), so that brightness drifts instead of jumping.
std::vector<std::uint32_t> SmoothScales(const std::vector<double>& probes, bool loops);

// Renders the frames missing from the directory and returns 0, 1 when a
// file could not be written or 2 for a refused value or file.
int RunAnimate(const AnimateOptions& options, std::ostream& out, std::ostream& err,
               bool errIsTerminal);

// `orvantis animate ...`: argv[0] is "animate", the options follow.
int AnimateMain(int argc, char** argv);

} // namespace orv
