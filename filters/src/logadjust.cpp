#include "filters/filters.h"

#include "filters/tone.h"
#include "pixel_pass.h"

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
    const bool squared = logsquare == 1;
    const double logfactor = tone::LogFactor(hitmax, squared);
    PaintPixels(window, [=](float count) {
        if (count == 0.0f) {
            return 0;
        }
        return static_cast<int>(tone::LogPosition(count, logfactor, squared));
    });
    return 0;
}

} // namespace orv
