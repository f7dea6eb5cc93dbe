// The texts of the boxes in which the program reports what an engine
// computation returned; the batch renderer reports the same words.
#pragma once

namespace orv {

// The random search found no chaotic parameter set.
inline constexpr const char* kSearchNotFound =
    "Attractor not found after 100 tries.\n\nPlease try again; this will reset the\n   "
    "pseudo-random number generator.";

// The equalization filter could not have its buffers.
inline constexpr const char* kEqualizeNoMemory =
    "Not enough memory to allocate equalization buffers.\nFree up more system memory, or\n   "
    "stop rendereing at\n   fewer iterations.";

} // namespace orv
