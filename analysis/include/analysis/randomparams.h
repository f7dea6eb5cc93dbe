// The search for a random chaotic parameter set of the selected formula.
#pragma once

#include "render/defaults.h"
#include "render/types.h"

#include <cmath>
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

// How many candidates a search draws, and the least exponent it accepts.
inline constexpr int kSearchTries = 100;
inline constexpr double kChaoticExponent = 0.3;

// A coefficient between low and high whose magnitude is at least 0.5, from
// numbers 0 to 32767 that next() draws, each taken as wjrandom takes one.
template <class Next> double DrawCoefficient(Next&& next, double low, double high) {
    double value;
    do {
        const long double uniform = next() * (1.0L / 32767.0L);
        value = static_cast<double>(low + uniform * (high - low));
    } while (std::fabs(value) < 0.5);
    return value;
}

// The cheap test on the coefficients' sizes that a candidate must pass before
// its exponent is estimated: |a| + |b||c| and |b| + |a||d| both at least 1.
bool PassesSizeTest(const PARAM& candidate);

// The tries of a search: draws a, b, c, d of candidate from next() until a
// set passes the size test and exponentOf(candidate) is at least
// kChaoticExponent. The number of that try, or nothing after kSearchTries.
template <class Next, class ExponentOf>
std::optional<int> SearchTries(Next&& next, PARAM& candidate, ExponentOf&& exponentOf) {
    for (int count = 1; count <= kSearchTries; ++count) {
        candidate.a = DrawCoefficient(next, abcdrange[0], abcdrange[1]);
        candidate.b = DrawCoefficient(next, abcdrange[0], abcdrange[1]);
        candidate.c = DrawCoefficient(next, abcdrange[2], abcdrange[3]);
        candidate.d = DrawCoefficient(next, abcdrange[2], abcdrange[3]);
        if (PassesSizeTest(candidate) && exponentOf(candidate) >= kChaoticExponent) {
            return count;
        }
    }
    return std::nullopt;
}

// The seed of the following searches: a fixed one (a batch render that must
// be repeatable), or std::nullopt for the current time in whole seconds, as
// at start.
void SetRandomSeed(std::optional<std::uint32_t> seed);

// What a search came to: whether a set was found, at which of the 100 tries,
// and the parameter set of the selected formula from before the search, to
// go back to when the found set is not wanted.
struct SearchResult {
    bool found = false;
    int count = 0;
    PARAM previous;
};

// Draws up to 100 candidates and keeps the first whose Lyapunov exponent is at
// least 0.3 in p[type]; when none passes, p[type] is as before. RP then holds
// the last candidate as paramclip rounds it, and LExp its exponent.
SearchResult randomparams();

} // namespace orv
