#include "filters/filters.h"
#include "render/plot.h"
#include "render/state.h"

namespace orv {

int FilterRefusal() {
    if (itercount < 1000) {
        return 1;
    }
    if (method[type] != 1) {
        return 2;
    }
    // A buffer made for another image size (or none) leaves no counts for
    // this image.
    if (hitcount == nullptr || hcres != res) {
        return 1;
    }
    return 0;
}

} // namespace orv
