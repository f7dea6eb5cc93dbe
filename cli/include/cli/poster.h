// `orvantis poster`: a large picture from many orbits on every core,
// supersampled, in 8 or 16 bits per channel, with its recipe inside.
#pragma once

#include "studio/memory.h"
#include "studio/poster_options.h"
#include "studio/poster_recipe.h"

#include <cstdint>
#include <ostream>

namespace orv {

// The recipe from the options, applied to the desktop program's start state
// as `render` applies them. Returns 0, or the exit code with the reason
// reported on err.
int RecipeFromOptions(const PosterOptions& options, PosterRecipe& recipe, std::ostream& err);

// Renders as the options ask and writes the PNG (and the counts). Messages
// go to err, the line naming the files written to out; the progress bar is
// drawn on err only when errIsTerminal. Returns the exit code as `render`
// does: 0 success, 1 a file could not be written or memory does not
// suffice, 2 a value or file was refused, 3 the random search found nothing.
int RunPoster(const PosterOptions& options, std::ostream& out, std::ostream& err,
              bool errIsTerminal);

// `orvantis poster ...`: argv[0] is "poster", the options follow.
int PosterMain(int argc, char** argv);

} // namespace orv
