// The batch renderer: a render without any window, on the same engine and
// from the same start state as the desktop program, written to files.
#pragma once

#include "studio/command_line.h"

#include <ostream>

namespace orv {

// Renders as the options ask and writes the image and its parameter file.
// Messages go to err, the line naming the files written to out. The progress
// bar is drawn on err only when errIsTerminal. Returns the exit code: 0
// success, 1 a file could not be written or memory ran out, 2 a value or file
// was refused, 3 the random search found nothing.
int RunBatch(const RenderOptions& options, std::ostream& out, std::ostream& err,
             bool errIsTerminal);

// `orvantis render ...`: argv[0] is "render", the options follow.
int RenderMain(int argc, char** argv);

} // namespace orv
