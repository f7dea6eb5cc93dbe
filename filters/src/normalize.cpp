#include "filters/filters.h"

#include "filters/tone.h"
#include "pixel_pass.h"

namespace orv {

int normalize(HDC window) {
    if (const int refused = FilterRefusal()) {
        return refused;
    }
    // With no hits there is nothing to scale against and nothing to paint.
    if (hitmax == 0) {
        return 0;
    }
    PaintPixels(window, [](float count) {
        return static_cast<int>(tone::NormalizePosition(count, hitmax));
    });
    return 0;
}

} // namespace orv
