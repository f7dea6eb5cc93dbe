#include "filters/filters.h"

#include "pixel_pass.h"

#include <cmath>

namespace orv {

int logadjust(HDC window) {
    if (const int refused = FilterRefusal()) {
        return refused;
    }
    // Below a largest count of 2 every count is 0 or 1, whose logarithm gives
    // index 0: nothing is painted, and ln(hitmax) would be undefined or 0.
    if (hitmax < 2) {
        return 0;
    }
    const double loghitmax = std::log(static_cast<double>(hitmax));
    const double logfactor = logsquare == 1 ? 255.0 / (loghitmax * loghitmax) : 255.0 / loghitmax;
    const bool squared = logsquare == 1;
    PaintPixels(window, [=](float count) {
        if (count == 0.0f) {
            return 0;
        }
        const double logval = std::log(static_cast<double>(count));
        const double scaled = squared ? logval * logval * logfactor : logval * logfactor;
        return static_cast<int>(std::min(scaled, 255.0));
    });
    return 0;
}

} // namespace orv
