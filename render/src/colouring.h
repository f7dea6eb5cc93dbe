// How an iterate colours its pixel in each colouring method, on explicit
// targets: plot() colours one pixel with them and the render loop of
// render/steps.h many, both with exactly this arithmetic.
#pragma once

#include "palette/palette.h"
#include "platform/gdi.h"
#include "render/colouring.h"
#include "render/types.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orv::colouring {

// What a pixel is coloured into, taken from the render state once. The loop
// keeps hitmax here while it runs, so that writes into the surfaces cannot
// make the compiler reload it.
struct Canvas {
    float* counts = nullptr; // the hit-count buffer, side x side
    int side = 0;            // res
    HDC image = nullptr;     // the off-screen image
    HDC window = nullptr;    // the main window, drawn where its client area reaches
    int clientRight = 0;
    int clientBottom = 0;
    std::uint32_t most = 0; // hitmax
};

// The canvas of the render state: hitcount, res, the off-screen image, the
// main window's client area and hitmax, drawing on window.
Canvas RenderCanvas(HDC window);

// Sets the pixel in the image and, where the window shows it, on the window.
// The position lies inside the image, so of the two limits, the image's and
// the client area's, only the client area's can clip it.
[[gnu::always_inline]] inline void draw(const Canvas& c, int x, int y, COLORREF color) {
    SetPixel(c.image, x, y, color);
    if (x < c.clientRight && y < c.clientBottom) {
        SetPixel(c.window, x, y, color);
    }
}

// Speed: the entry of the last jump; a pixel only ever takes a higher index.
[[gnu::always_inline]] inline void speed(Canvas& c, int x, int y, int pixel, const VOXEL& now,
                                         const VOXEL& before) {
    const std::uint32_t cindex = SpeedEntry(SpeedJump(now, before));
    if (static_cast<int>(cindex) > static_cast<int>(c.counts[pixel])) {
        draw(c, x, y, PaletteColor(palette, cindex));
        c.counts[pixel] = static_cast<float>(cindex);
        if (cindex > c.most) {
            c.most = cindex;
        }
    }
}

// Hit Count: the number of hits, the colour capped at entry 255.
[[gnu::always_inline]] inline void hits(Canvas& c, int x, int y, int pixel) {
    const std::uint32_t pindex = static_cast<std::uint32_t>(static_cast<int>(c.counts[pixel])) + 1;
    const std::uint32_t cindex = std::min(pindex, 255u);
    c.counts[pixel] = c.counts[pixel] + 1.0f;
    if (pindex > c.most) {
        c.most = pindex;
    }
    draw(c, x, y, PaletteColor(palette, cindex));
}

// Z-Plane: the height of a point, blended between two palette entries; a
// pixel only ever takes a higher index.
[[gnu::always_inline]] inline void zplane(Canvas& c, int x, int y, int pixel, const VOXEL& now) {
    const double dcindex = ZPlaneHeight(now);
    if (!(dcindex <= 255.0)) {
        return;
    }
    const std::uint32_t pindex = static_cast<std::uint32_t>(static_cast<int>(c.counts[pixel]));
    std::uint32_t cindex = static_cast<std::uint32_t>(static_cast<int>(dcindex));
    if (cindex == 0) {
        cindex = 1;
    }
    if (cindex <= pindex) {
        return;
    }
    c.counts[pixel] = static_cast<float>(dcindex);
    if (cindex > c.most) {
        c.most = cindex;
    }
    int r = palette[3 * cindex];
    int g = palette[3 * cindex + 1];
    int b = palette[3 * cindex + 2];
    if (cindex < 255) {
        const double c0 = std::floor(dcindex);
        const double c1 = std::ceil(dcindex);
        double fx = c0 == c1 ? 0.0 : (dcindex - c0) / (c1 - c0);
        fx = std::clamp(fx, 0.0, 1.0);
        const Colour blend = PaletteBlend(palette, cindex, fx);
        r = static_cast<int>(blend.r);
        g = static_cast<int>(blend.g);
        b = static_cast<int>(blend.b);
    }
    draw(c, x, y, RGB(r, g, b));
}

// Colours the pixel (x, y) for the iterate now, reached from before, with
// colouring method Method (0 Speed, 1 Hit Count, 2 Z-Plane, any other
// nothing). A position outside the image colours nothing.
template <int Method>
[[gnu::always_inline]] inline void colour(Canvas& c, int x, int y, const VOXEL& now,
                                          const VOXEL& before) {
    if (x < 0 || x >= c.side || y < 0 || y >= c.side) {
        return;
    }
    const int pixel = y * c.side + x;
    if constexpr (Method == 0) {
        speed(c, x, y, pixel, now, before);
    } else if constexpr (Method == 1) {
        hits(c, x, y, pixel);
    } else if constexpr (Method == 2) {
        zplane(c, x, y, pixel, now);
    }
}

} // namespace orv::colouring
