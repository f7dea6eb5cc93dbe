// `orvantis explore`: many chaotic parameter sets of one type, found by the
// program's own search from seeds that a hash keeps apart, each written as a
// thumbnail with its recipe and a parameter file, and a gallery page.
#pragma once

#include "studio/explore.h"
#include "studio/explore_options.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orv {

// Finds the sets and writes them with the gallery into the directory.
// Returns 0 when all were found, 1 when a file could not be written or
// another run holds the directory, 2 for a refused value or a directory
// holding another run's sets (without force) and 3 when fewer sets than
// asked were found.
int RunExplore(const ExploreOptions& options, std::ostream& out, std::ostream& err,
               bool errIsTerminal);

// `orvantis explore ...`: argv[0] is "explore", the options follow.
int ExploreMain(int argc, char** argv);

} // namespace orv
