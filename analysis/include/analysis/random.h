// The program's pseudo-random numbers: one 64-bit state, 1 at start, with two
// draws. The random parameter search steps only the low 32 bits, as the
// classic C runtime did; the star field steps all 64.
#pragma once

#include <cstdint>

namespace orv {

// Sets the state to seed (its high 32 bits to 0).
void SeedRandom(std::uint32_t seed);

// The runtime's rand: low = low * 22695477 + 1 (mod 2^32), high bits kept;
// returns bits 16 to 30 of the new low half, 0 to 32767.
int NextRandom();

// The star draw: state = state * 0x000015A400004E35 + 1 (mod 2^64); returns
// bits 32 to 62 of the new state, 0 to 0x7FFFFFFF.
std::uint32_t NextStarRandom();

} // namespace orv
