// Hit Count colouring at 600 x 600 with nothing but arrays: a float count
// per pixel and the palette colour written into an image and a window. The
// yardstick loops of the benchmarks count their hits with it.
#pragma once

#include "palette/palette.h"

#include <cstdint>
#include <vector>

namespace orv::bench {

struct PlainHits {
    static constexpr int kSide = 600;

    PlainHits() { genpalette(defpal1); }

    // Counts a hit at (col, row); a position outside the image counts none.
    void hit(int col, int row) {
        if (col >= 0 && col < kSide && row >= 0 && row < kSide) {
            const std::size_t pixel = static_cast<std::size_t>(row) * kSide + col;
            const std::uint32_t count = static_cast<std::uint32_t>(counts[pixel]) + 1;
            counts[pixel] += 1.0f;
            most = count > most ? count : most;
            const std::uint32_t ci = count > 255 ? 255 : count;
            const std::uint32_t color = PaletteColor(palette, ci) | 0xFF000000u;
            image[pixel] = color;
            screen[pixel] = color;
        }
    }

    std::vector<float> counts = std::vector<float>(static_cast<std::size_t>(kSide) * kSide);
    std::vector<std::uint32_t> image = std::vector<std::uint32_t>(counts.size());
    std::vector<std::uint32_t> screen = std::vector<std::uint32_t>(counts.size());
    std::uint32_t most = 0;
};

} // namespace orv::bench
