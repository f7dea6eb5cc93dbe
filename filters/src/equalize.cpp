#include "filters/filters.h"

#include "filters/tone.h"
#include "pixel_pass.h"

#include "platform/local_block.h"

namespace orv {

namespace {

// The whole count of a pixel. Under Hit Count colouring no count exceeds
// hitmax; a larger one is held at hitmax so that it can never index past the
// buffers.
std::uint32_t wholeCount(float count) {
    return count >= static_cast<float>(hitmax) ? hitmax : static_cast<std::uint32_t>(count);
}

} // namespace

int equalize(HDC window) {
    if (const int refused = FilterRefusal()) {
        return refused;
    }
    // With no hits the buffers would be empty and nothing is to be painted.
    if (hitmax == 0) {
        return 0;
    }

    // The number of pixels of each count, the cumulative number of pixels
    // with a count from 1 to k + 1, and the palette index for count k + 1.
    const std::size_t entries = hitmax;
    const LocalBlock<unsigned int> histogram(LMEM_ZEROINIT, entries + 1);
    const LocalBlock<unsigned int> cdf(LMEM_ZEROINIT, entries);
    const LocalBlock<unsigned int> hv(LMEM_ZEROINIT, entries);
    if (!histogram || !cdf || !hv) {
        return 3;
    }

    const std::size_t pixels = static_cast<std::size_t>(res) * res;
    for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
        ++histogram[wholeCount(hitcount[pixel])];
    }
    cdf[0] = histogram[1];
    for (std::size_t k = 1; k < entries; ++k) {
        cdf[k] = cdf[k - 1] + histogram[k + 1];
    }
    unsigned int cdfmin = 0;
    for (std::size_t k = 0; k < entries && cdfmin == 0; ++k) {
        cdfmin = cdf[k];
    }
    const double totalpixels = tone::EqualizeSpread(pixels, histogram[0]);

    // A single lit pixel leaves no spread to equalize over (totalpixels is 0).
    if (totalpixels > 0.0) {
        for (std::size_t k = 0; k < entries; ++k) {
            hv[k] =
                cdf[k] == 0 ? 0 : tone::EqualizePosition<unsigned int>(cdf[k], cdfmin, totalpixels);
        }
        PaintPixels(window, [&hv](float count) {
            const std::uint32_t c = wholeCount(count);
            return c == 0 ? 0 : static_cast<int>(hv[c - 1]);
        });
    }
    return 0;
}

} // namespace orv
