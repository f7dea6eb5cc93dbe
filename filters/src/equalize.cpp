#include "filters/filters.h"

#include "pixel_pass.h"

#include "platform/kernel.h"
#include "platform/user.h"

namespace orv {

unsigned int* histogram = nullptr;
unsigned int* cdf = nullptr;
unsigned int* hv = nullptr;

namespace {

void freeBuffers() {
    for (unsigned int** buffer : {&histogram, &cdf, &hv}) {
        if (*buffer != nullptr) {
            LocalFree(*buffer);
            *buffer = nullptr;
        }
    }
}

// The whole count of a pixel. Under Hit Count colouring no count exceeds
// hitmax; a larger one is held at hitmax so that it can never index past the
// buffers.
std::uint32_t wholeCount(float count) {
    return count >= static_cast<float>(hitmax) ? hitmax : static_cast<std::uint32_t>(count);
}

} // namespace

int equalize() {
    if (const int refused = FilterRefusal()) {
        return refused;
    }
    // With no hits the buffers would be empty and nothing is to be painted.
    if (hitmax == 0) {
        return 0;
    }
    SetCursor(wait);

    const std::size_t entries = hitmax;
    histogram = static_cast<unsigned int*>(LocalAlloc(LMEM_ZEROINIT, 4 * (entries + 1)));
    if (histogram != nullptr) {
        cdf = static_cast<unsigned int*>(LocalAlloc(LMEM_ZEROINIT, 4 * entries));
    }
    if (cdf != nullptr) {
        hv = static_cast<unsigned int*>(LocalAlloc(LMEM_ZEROINIT, 4 * entries));
    }
    if (hv == nullptr) {
        freeBuffers();
        MessageBoxA(g_hWnd,
                    "Not enough memory to allocate equalization buffers.\nFree up more system "
                    "memory, or\n   stop rendereing at\n   fewer iterations.",
                    "Memory allocation problem", MB_OK | MB_ICONEXCLAMATION);
        SetCursor(cross);
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
    const double totalpixels = static_cast<double>(res) * res - histogram[0] - 1.0;

    // A single lit pixel leaves no spread to equalize over (totalpixels is 0).
    if (totalpixels > 0.0) {
        for (std::size_t k = 0; k < entries; ++k) {
            hv[k] = cdf[k] == 0
                        ? 0
                        : static_cast<unsigned int>((cdf[k] - cdfmin) / totalpixels * 254.0) + 1;
        }
        PaintPixels([](float count) {
            const std::uint32_t c = wholeCount(count);
            return c == 0 ? 0 : static_cast<int>(hv[c - 1]);
        });
    }
    freeBuffers();
    SetCursor(cross);
    return 0;
}

} // namespace orv
