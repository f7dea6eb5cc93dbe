// orv_plain_render STEPS: the yardstick of the batch renderer as a whole
// process. It takes STEPS steps of the "Standard" map with its default
// parameters and counts hits at 600 x 600 as the program does, with nothing
// but arrays: the map, the projection, a float count per pixel and the
// palette colour written into an image and a window, and prints hitmax.
#include "plain_hits.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

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
    const double dside = orv::bench::PlainHits::kSide;
    orv::bench::PlainHits hits;
    double x = 0.1;
    double y = 0.1;
    double z = 0.0;
    for (std::uint64_t i = 0; i < steps; ++i) {
        const double nx = c * std::sin(b * x) + std::sin(b * y);
        const double ny = d * std::sin(a * y) + std::sin(a * x);
        z = std::sin(x);
        x = nx;
        y = ny;
        // The first point of a render is not counted.
        if (i > 0) {
            hits.hit(static_cast<int>((x + 2.5) * dside / 5.0),
                     orv::bench::PlainHits::kSide - 1 - static_cast<int>((y + 2.5) * dside / 5.0));
        }
    }
    std::printf("hitmax %u, last point %.17g %.17g %.17g, pixel %u\n", hits.most, x, y, z,
                hits.image[static_cast<std::size_t>(orv::bench::PlainHits::kSide) * 300 + 300] ^
                    hits.screen[0]);
    return 0;
}
