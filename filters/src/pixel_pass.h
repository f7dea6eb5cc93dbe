// What the three filters share: the refusals and the pass that paints every
// pixel from its count.
#pragma once

#include "palette/palette.h"
#include "platform/gdi.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <algorithm>

namespace orv {

// 1 before the 1000th render step, 2 unless the colouring method is Hit Count,
// 0 when the filter may run. A buffer made for another image size (or none)
// also gives 1: there are no counts for this image.
inline int FilterRefusal() {
    if (itercount < 1000) {
        return 1;
    }
    if (method[type] != 1) {
        return 2;
    }
    if (hitcount == nullptr || hcres != res) {
        return 1;
    }
    return 0;
}

// Paints each pixel, row by row, with the palette entry index(count) returns,
// in the image and where the window shows it; an index below 1 leaves the
// pixel as it is.
template <typename Index> void PaintPixels(Index index) {
    HDC hdc = GetDC(g_hWnd);
    const int right = std::min(res, static_cast<int>(ClientRes.right));
    const int bottom = std::min(res, static_cast<int>(ClientRes.bottom));
    for (int j = 0; j < res; ++j) {
        const float* counts = hitcount + static_cast<std::size_t>(j) * res;
        for (int i = 0; i < res; ++i) {
            const int cindex = index(counts[i]);
            if (cindex < 1) {
                continue;
            }
            const COLORREF color = PaletteColor(palette, static_cast<unsigned>(cindex));
            SetPixel(g_vhdc, i, j, color);
            if (i < right && j < bottom) {
                SetPixel(hdc, i, j, color);
            }
        }
    }
    ReleaseDC(g_hWnd, hdc);
}

} // namespace orv
