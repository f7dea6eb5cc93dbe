#include "render/plot.h"
#include "palette/palette.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <algorithm>
#include <cmath>

namespace orv {

float* hitcount = nullptr;
std::uint32_t hitmax = 0;

namespace {

// Sets the pixel in the image and, where the window shows it, on the window.
// The position lies inside the image, so of the two limits, the image's and
// the client area's, only the client area's can clip it.
inline void draw(HDC hdc, int xplot1, int yplot1, COLORREF color) {
    SetPixel(g_vhdc, xplot1, yplot1, color);
    if (xplot1 < ClientRes.right && yplot1 < ClientRes.bottom) {
        SetPixel(hdc, xplot1, yplot1, color);
    }
}

void speed(HDC hdc, int xplot1, int yplot1, int pixel) {
    const double dx = v.x - oldv.x;
    const double dy = v.y - oldv.y;
    const double jump = std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0);
    std::uint32_t cindex =
        jump >= 255.0 ? 255u : static_cast<std::uint32_t>(static_cast<int>(jump));
    if (cindex < 1) {
        cindex = 1;
    }
    if (static_cast<int>(cindex) > static_cast<int>(hitcount[pixel])) {
        draw(hdc, xplot1, yplot1, PaletteColor(palette, cindex));
        hitcount[pixel] = static_cast<float>(cindex);
        if (cindex > hitmax) {
            hitmax = cindex;
        }
    }
}

void hits(HDC hdc, int xplot1, int yplot1, int pixel) {
    const std::uint32_t pindex = static_cast<std::uint32_t>(static_cast<int>(hitcount[pixel])) + 1;
    const std::uint32_t cindex = std::min(pindex, 255u);
    hitcount[pixel] = hitcount[pixel] + 1.0f;
    if (pindex > hitmax) {
        hitmax = pindex;
    }
    draw(hdc, xplot1, yplot1, PaletteColor(palette, cindex));
}

void zplane(HDC hdc, int xplot1, int yplot1, int pixel) {
    const double height = std::fabs(v.z);
    if (!(height <= 1.0)) {
        return;
    }
    const std::uint32_t pindex = static_cast<std::uint32_t>(static_cast<int>(hitcount[pixel]));
    std::uint32_t cindex = static_cast<std::uint32_t>(static_cast<int>(height * 255));
    if (cindex == 0) {
        cindex = 1;
    }
    if (cindex <= pindex) {
        return;
    }
    const double dcindex = height * 255;
    hitcount[pixel] = static_cast<float>(dcindex);
    if (cindex > hitmax) {
        hitmax = cindex;
    }
    int r = palette[3 * cindex];
    int g = palette[3 * cindex + 1];
    int b = palette[3 * cindex + 2];
    if (cindex < 255) {
        const double c0 = std::floor(dcindex);
        const double c1 = std::ceil(dcindex);
        double fx = c0 == c1 ? 0.0 : (dcindex - c0) / (c1 - c0);
        fx = std::clamp(fx, 0.0, 1.0);
        const int r1 = palette[3 * (cindex + 1)];
        const int g1 = palette[3 * (cindex + 1) + 1];
        const int b1 = palette[3 * (cindex + 1) + 2];
        r = static_cast<int>((r1 - r) * fx + r);
        g = static_cast<int>((g1 - g) * fx + g);
        b = static_cast<int>((b1 - b) * fx + b);
    }
    draw(hdc, xplot1, yplot1, RGB(r, g, b));
}

} // namespace

int plot(int xplot1, int yplot1) {
    if (xplot1 < 0 || xplot1 >= res || yplot1 < 0 || yplot1 >= res) {
        return 0;
    }
    const int pixel = yplot1 * res + xplot1;
    HDC hdc = GetDC(g_hWnd);
    switch (method[type]) {
    case 0:
        speed(hdc, xplot1, yplot1, pixel);
        break;
    case 1:
        hits(hdc, xplot1, yplot1, pixel);
        break;
    case 2:
        zplane(hdc, xplot1, yplot1, pixel);
        break;
    default:
        break;
    }
    ReleaseDC(g_hWnd, hdc);
    return 0;
}

} // namespace orv
