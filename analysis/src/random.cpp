#include "analysis/random.h"

namespace orv {

namespace {

std::uint64_t state = 1;

} // namespace

void SeedRandom(std::uint32_t seed) {
    state = seed;
}

int NextRandom() {
    const std::uint32_t low = static_cast<std::uint32_t>(state) * 22695477u + 1u;
    state = (state & 0xFFFFFFFF00000000u) | low;
    return static_cast<int>((low >> 16) & 0x7FFF);
}

std::uint32_t NextStarRandom() {
    state = state * 0x000015A400004E35u + 1u;
    return static_cast<std::uint32_t>((state >> 32) & 0x7FFFFFFF);
}

} // namespace orv
