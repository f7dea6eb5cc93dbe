// What the three filters share: the refusals and the pass that paints every
// pixel from its count.
#pragma once

#include "filters/filters.h"
#include "palette/palette.h"
#include "platform/gdi.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <algorithm>

namespace orv {

// Paints each pixel, row by row, with the palette entry index(count) returns,
// in the image and on the window's surface where the window shows it; an
// index below 1 leaves the pixel as it is.
template <typename Index> void PaintPixels(HDC window, Index index) {
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
                SetPixel(window, i, j, color);
            }
        }
    }
}

} // namespace orv
