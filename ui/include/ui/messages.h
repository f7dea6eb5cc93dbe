// The texts of the boxes in which the program reports what an engine
// computation returned; the batch renderer reports the same words.
#pragma once

#include "analysis/search.h"

namespace orv {

// The equalization filter could not have its buffers.
inline constexpr const char* kEqualizeNoMemory =
    "Not enough memory to allocate equalization buffers.\nFree up more system memory, or\n   "
    "stop rendereing at\n   fewer iterations.";

} // namespace orv
