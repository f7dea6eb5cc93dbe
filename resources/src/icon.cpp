// The program's icon "WJORVANTISICON", 32 x 32: a gold orbit on black, drawn
// here until the pictures are made at build time.
#include "resources/resources.h"

#include <cmath>

namespace orv {

IconResource MainIcon() {
    constexpr int side = 32;
    IconResource icon{kIconName, side, side, std::vector<std::uint32_t>(side * side, 0xFF000000u)};
    // A few thousand points of the Standard map with its default parameters.
    double x = 0.1;
    double y = 0.1;
    for (int i = 0; i < 4000; ++i) {
        const double nx = 0.765145 * std::sin(2.879879 * x) + std::sin(2.879879 * y);
        const double ny = 0.744728 * std::sin(-0.966918 * y) + std::sin(-0.966918 * x);
        x = nx;
        y = ny;
        const int col = static_cast<int>((x + 2.5) * side / 5.0);
        const int row = side - 1 - static_cast<int>((y + 2.5) * side / 5.0);
        if (i >= 100 && col >= 0 && col < side && row >= 0 && row < side) {
            icon.pixels[static_cast<std::size_t>(row) * side + col] = 0xFF2CC8F0u;
        }
    }
    return icon;
}

} // namespace orv
