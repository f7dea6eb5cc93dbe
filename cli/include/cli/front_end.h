// What the first argument of `orvantis` asks for before any window opens:
// the batch commands `render` and `poster`, or the usage and the version.
#pragma once

#include <optional>

namespace orv {

// Runs a batch command or prints the usage or version, and returns the exit
// code; nothing when the desktop program is to start.
std::optional<int> RunFrontEnd(int argc, char** argv);

} // namespace orv
