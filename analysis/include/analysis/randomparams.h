// The search for a random chaotic parameter set of the selected formula.
#pragma once

#include "render/types.h"

#include <cstdint>
#include <optional>

namespace orv {

// The candidate under test.
extern PARAM RP;

// A uniform random number in [0, 1], both ends included: the next NextRandom
// value times 1/32767.
long double wjrandom();

// Rounds a, b, c, d, xstart and ystart down to twelve decimals, three times
// over; zstart is left alone.
void paramclip(PARAM* RP);

// The cheap test on the coefficients' sizes that a candidate must pass before
// its exponent is estimated: |a| + |b||c| and |b| + |a||d| both at least 1.
bool PassesSizeTest(const PARAM& candidate);

// The seed of the following searches: a fixed one (a batch render that must
// be repeatable), or std::nullopt for the current time in whole seconds, as
// at start.
void SetRandomSeed(std::optional<std::uint32_t> seed);

// Draws up to 100 candidates and keeps the first whose Lyapunov exponent is at
// least 0.3. Returns 0 when one was accepted (now in p[type]), 1 when the
// user declined it in parameter display mode and 2 when none was found; on 1
// and 2 p[type] is as before.
int randomparams();

} // namespace orv
