// The command line of `orvantis poster`: the picture options of `render`
// and the options of a poster: how many orbits share the steps, how many
// threads render them, supersampling, bits per channel, the raw counts and a
// recipe to render again.
#pragma once

#include "studio/command_line.h"
#include "studio/frame_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct PosterOptions {
    RenderOptions picture;
    std::uint32_t orbits = kDefaultOrbits;
    std::optional<unsigned> threads; // every core when not given
    int supersample = 1;
    int depth = 8;
    std::optional<std::string> counts; // the raw counts as an OpenEXR file
    std::optional<std::string> recipe; // a poster PNG whose recipe is rendered again
    FrameOptions frame;
    bool exactOrbits = false; // every orbit on the desktop program's step
};

using PosterCommandLine = ParsedCommandLine<PosterOptions>;

// Reads the arguments that follow `poster`.
PosterCommandLine ParsePosterOptions(const std::vector<std::string>& args);

} // namespace orv
