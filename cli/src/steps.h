// The render itself: the render driver called as the message loop calls it
// while rendering runs, without the loop.
#pragma once

#include "cli/progress.h"

#include <cstdint>

namespace orv {

// Takes the given number of render steps. Returns 0, or 1 when the first
// step could not get the hit-count buffer.
int RunSteps(std::uint64_t steps, ProgressBar* bar);

// With lmapflag set: takes render steps, one row of the Lyapunov map each,
// until the map is complete. Returns 0, or 1 as above.
int RunMap(ProgressBar* bar);

} // namespace orv
