// What the first argument of `orvantis` asks for before any window opens:
// the batch commands, or the usage and the version.
#pragma once

#include "cli/launcher.h"

#include <optional>

namespace orv {

// Runs a batch command or prints the usage or version, and returns the exit
// code; nothing when the desktop program is to start. A program built as
// the ranks of an MPI job gives the commands its ranks run.
std::optional<int> RunFrontEnd(int argc, char** argv, const RankCommands* ranks = nullptr);

} // namespace orv
