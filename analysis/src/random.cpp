#include "analysis/random.h"

namespace orv {

namespace {

std::uint64_t state = 1;

} // namespace

void SeedRandom(std::uint32_t seed) {
    state = seed;
}

int NextRandom() {
    const std::uint32_t low = NextRuntimeState(static_cast<std::uint32_t>(state));
    state = (state & 0xFFFFFFFF00000000u) | low;
    return RuntimeRandomOf(low);
}

std::uint32_t NextStarRandom() {
    state = state * 0x000015A400004E35u + 1u;
    return static_cast<std::uint32_t>((state >> 32) & 0x7FFFFFFF);
}

} // namespace orv
