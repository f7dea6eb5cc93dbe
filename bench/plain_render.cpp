// orv_plain_render STEPS: the yardstick of the batch renderer as a whole
// process. It takes STEPS steps of the "Standard" map with its default
// parameters and counts hits at 600 x 600 as the program does, with nothing
// but arrays: the map, the projection, a float count per pixel and the
// palette colour written into an image and a window, and prints hitmax.
#include "palette/palette.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orv_plain_render STEPS\n");
        return 2;
    }
    const std::uint64_t steps = std::strtoull(argv[1], nullptr, 10);
    const double a = -0.966918;
    const double b = 2.879879;
    const double c = 0.765145;
    const double d = 0.744728;
    const int side = 600;
    const double dside = 600.0;
    std::vector<float> counts(static_cast<std::size_t>(side) * side);
    std::vector<std::uint32_t> image(counts.size());
    std::vector<std::uint32_t> screen(counts.size());
    orv::genpalette(orv::defpal1);
    double x = 0.1;
    double y = 0.1;
    double z = 0.0;
    std::uint32_t most = 0;
    for (std::uint64_t i = 0; i < steps; ++i) {
        const double nx = c * std::sin(b * x) + std::sin(b * y);
        const double ny = d * std::sin(a * y) + std::sin(a * x);
        z = std::sin(x);
        x = nx;
        y = ny;
        const int col = static_cast<int>((x + 2.5) * dside / 5.0);
        const int row = side - 1 - static_cast<int>((y + 2.5) * dside / 5.0);
        if (i > 0 && col >= 0 && col < side && row >= 0 && row < side) {
            const std::size_t pixel = static_cast<std::size_t>(row) * side + col;
            const std::uint32_t count = static_cast<std::uint32_t>(counts[pixel]) + 1;
            counts[pixel] += 1.0f;
            most = count > most ? count : most;
            const std::uint32_t ci = count > 255 ? 255 : count;
            const std::uint32_t color = orv::PaletteColor(orv::palette, ci) | 0xFF000000u;
            image[pixel] = color;
            screen[pixel] = color;
        }
    }
    std::printf("hitmax %u, last point %.17g %.17g %.17g, pixel %u\n", most, x, y, z,
                image[static_cast<std::size_t>(side) * 300 + 300] ^ screen[0]);
    return 0;
}
