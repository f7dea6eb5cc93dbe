// The options of an explore search: the thumbnails' picture options, how
// many sets, the seed and the folder, read from the command line.
#pragma once

#include "studio/poster_options.h"
#include "studio/run_part.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct ExploreOptions {
    PosterOptions thumbnail; // the picture options; output is unused
    std::uint32_t count = 12;
    std::uint32_t seed = 1;
    std::string directory;
    bool force = false; // replace the sets of another run in the directory
    RunPart part;       // the share of the searches of a run shared by several
    bool merge = false; // directory holds the parts of a run to make one of
};

using ExploreCommandLine = ParsedCommandLine<ExploreOptions>;

// Reads the arguments that follow `explore`: a search, or --merge DIR. Thumbnails default to a side
// of 256, 400000 steps on 8 orbits, Hit Count with the logarithmic filter.
ExploreCommandLine ParseExploreOptions(const std::vector<std::string>& args);

} // namespace orv
