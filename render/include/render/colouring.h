// The values the colouring methods take from an iterate, and the blend of two
// palette entries: the desktop's render loop truncates them to a palette
// entry, the poster keeps them as fractional positions. They sit in the
// render loop, so they stay inline.
#pragma once

#include "render/types.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace orv {

// Speed: the length of the last jump in the x-y plane, 255 * 2/3 per unit.
[[gnu::always_inline]] inline double SpeedJump(const VOXEL& now, const VOXEL& before) {
    const double dx = now.x - before.x;
    const double dy = now.y - before.y;
    return std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0);
}

// The palette entry of a jump: its whole part, from 1 to 255.
[[gnu::always_inline]] inline std::uint32_t SpeedEntry(double jump) {
    const std::uint32_t entry =
        jump >= 255.0 ? 255u : static_cast<std::uint32_t>(static_cast<int>(jump));
    return entry < 1 ? 1 : entry;
}

// The palette position of a jump, from 1 to 255.
[[gnu::always_inline]] inline double SpeedPosition(double jump) {
    return jump >= 1.0 ? std::min(jump, 255.0) : 1.0;
}

// Z-Plane: the height 255 |z|; a point higher than 255 (or not a number) is
// not coloured.
[[gnu::always_inline]] inline double ZPlaneHeight(const VOXEL& now) {
    return std::fabs(now.z) * 255;
}

struct Colour {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

// The colour fraction of the way from palette entry entry (below 255) to the
// next one.
[[gnu::always_inline]] inline Colour PaletteBlend(const unsigned char* palette, std::size_t entry,
                                                  double fraction) {
    const unsigned char* low = palette + 3 * entry;
    const unsigned char* high = low + 3;
    return {low[0] + (high[0] - low[0]) * fraction, low[1] + (high[1] - low[1]) * fraction,
            low[2] + (high[2] - low[2]) * fraction};
}

} // namespace orv
