// Applying the options to the render state, in their fixed order, as the
// desktop program's commands and dialogs would.
#pragma once

#include "studio/command_line.h"

#include <ostream>

namespace orv {

// Returns 0 when every option was applied, else the exit code, with the
// reason reported on err.
int ApplyOptions(const RenderOptions& options, std::ostream& err);

} // namespace orv
