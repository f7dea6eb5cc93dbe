// The stages of `orvantis poster`, for the one process that renders a whole
// poster and for the ranks of a job that share one.
#pragma once

#include "cli/progress.h"
#include "studio/poster_grid.h"
#include "studio/poster_options.h"
#include "studio/poster_recipe.h"

#include <memory>
#include <ostream>

namespace orv {

// Checks that the output files can be made and resolves the recipe from the
// options or from the picture --recipe names. Returns 0 or the exit code,
// with the message written to err.
int ResolvePoster(const PosterOptions& options, PosterRecipe& recipe, std::ostream& err);

// The progress bar for the recipe's steps; none when err is no terminal or
// the options ask for quiet.
std::unique_ptr<ProgressBar> PosterBar(const PosterOptions& options, const PosterRecipe& recipe,
                                       std::ostream& err, bool errIsTerminal);

// Colours the counts on the threads and writes the picture (and the counts
// when asked for) under their names, or nothing at all. Returns 0 or the
// exit code.
int WritePoster(const PosterOptions& options, const PosterRecipe& recipe, const CountGrid& grid,
                unsigned threads, std::ostream& out, std::ostream& err);

} // namespace orv
