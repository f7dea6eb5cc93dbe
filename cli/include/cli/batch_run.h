// The stages of `orvantis render`, for the one process that draws the whole
// picture and for rank 0 of a job that shares a Lyapunov map.
#pragma once

#include "cli/session.h"

#include "studio/command_line.h"

#include <ostream>

namespace orv {

// Sets the started program up as the options ask. Returns 0 or the exit
// code, with the message written to err.
int PrepareBatch(const RenderOptions& options, BatchSession& session, std::ostream& err);

// Renders, applies the filter and saves the files. Returns 0 or the exit
// code.
int FinishBatch(const RenderOptions& options, BatchSession& session, std::ostream& out,
                std::ostream& err, bool errIsTerminal);

} // namespace orv
