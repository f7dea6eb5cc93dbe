// The random parameter search as a value: the same draws, size test, tries
// and exponent threshold as randomparams, from a generator of its own, so
// that many searches can run at once on different threads.
#pragma once

#include "render/kernel.h"

#include <cstdint>
#include <optional>

namespace orv {

// What the program says when a search found no chaotic set.
inline constexpr const char* kSearchNotFound =
    "Attractor not found after 100 tries.\n\nPlease try again; this will reset the\n   "
    "pseudo-random number generator.";

struct ChaoticSet {
    PARAM param;     // the accepted a, b, c, d with the start point given
    double exponent; // its Lyapunov exponent, at least 0.3
    int tries;       // the number of the accepting try, 1 to 100
};

// Searches as randomparams does after SetRandomSeed(seed), for the type,
// start point and ghost mode of inputs; nothing when 100 tries found no
// chaotic set. Reads no global but the coefficient ranges.
std::optional<ChaoticSet> SearchChaotic(const KernelInputs& inputs, std::uint32_t seed);

} // namespace orv
