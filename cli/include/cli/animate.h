// `orvantis animate`: the frames of a morph from one parameter file to
// another, of a full turn about an axis, or of both, as poster PNGs.
#pragma once

#include "studio/animate.h"
#include "studio/poster_options.h"
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
    bool ease = false;        // slow in and out
    bool keepChaotic = false; // the path bent so that every frame is chaotic
    RunPart part;             // the frames this process renders of a run shared by several
};

using AnimateCommandLine = ParsedCommandLine<AnimateOptions>;

// Reads the arguments that follow `animate`.
AnimateCommandLine ParseAnimateOptions(const std::vector<std::string>& args);

// Renders the frames missing from the directory and returns 0, 1 when a
// file could not be written or 2 for a refused value or file.
int RunAnimate(const AnimateOptions& options, std::ostream& out, std::ostream& err,
               bool errIsTerminal);

// `orvantis animate ...`: argv[0] is "animate", the options follow.
int AnimateMain(int argc, char** argv);

} // namespace orv
