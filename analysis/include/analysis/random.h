// The program's pseudo-random numbers: one 64-bit state, 1 at start, with two
// draws. The random parameter search steps only the low 32 bits, as the
// classic C runtime did; the star field steps all 64.
#pragma once

#include <cstdint>

namespace orv {

// The runtime's rand on a 32-bit state: the next state, low * 22695477 + 1
// (mod 2^32), and the number it gives, bits 16 to 30 of that state.
constexpr std::uint32_t NextRuntimeState(std::uint32_t low) {
    return low * 22695477u + 1u;
}
constexpr int RuntimeRandomOf(std::uint32_t low) {
    return static_cast<int>((low >> 16) & 0x7FFF);
}

// Sets the state to seed (its high 32 bits to 0).
void SeedRandom(std::uint32_t seed);

// The runtime's rand on the low half of the state, the high bits kept: 0 to
// 32767.
int NextRandom();

// The star draw: state = state * 0x000015A400004E35 + 1 (mod 2^64); returns
// bits 32 to 62 of the new state, 0 to 0x7FFFFFFF.
std::uint32_t NextStarRandom();

// A well-mixed 64-bit value from any other (the SplitMix64 finaliser of
// value + 0x9E3779B97F4A7C15): seeds for many independent streams from
// consecutive indices.
constexpr std::uint64_t SplitMix64(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

} // namespace orv
