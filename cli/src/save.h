// What follows the render: a filter, and the image with its parameter file.
#pragma once

#include "cli/report.h"

#include "studio/command_line.h"
#include "studio/poster_recipe.h"

#include <ostream>
#include <string>

namespace orv {

// Refuses, before the render, a filter that its command would not offer for
// the picture to come: the filters act only on a Hit Count picture of at
// least 1000 render steps. Returns 0 or the exit code.
int CheckFilterApplies(const RenderOptions& options, std::ostream& err);

// Applies the filter as its command does. Returns 0 or the exit code.
int ApplyFilter(BatchFilter filter, const Reporter& report);

// Writes the image (Targa, or PNG with the recipe as text for a name ending
// in ".png") and then the parameter file beside it, as "Save Image and
// Parameters (S)" does. On success the names of both files are written to
// out unless quiet. Returns 0 or the exit code.
int SaveOutput(const std::string& output, const TextChunks& recipe, bool quiet, std::ostream& out,
               const Reporter& report);

} // namespace orv
