// The closing splash's star field: 36 stars drifting right through the band
// above the picture, each taking a new shade of yellow every step.
#include "analysis/random.h"
#include "ui/splash.h"

namespace orv {

void stars(HDC hdc, HDC vhdc, StarField& field) {
    const COLORREF c[9] = {0x00008080, 0x00009090, 0x0000A0A0, 0x0000B0B0, 0x0000C0C0,
                           0x0000D0D0, 0x0000E0E0, 0x0000F0F0, 0x0000FFFF};
    int r[36];
    for (int& shade : r) {
        shade = static_cast<int>(NextStarRandom() % 9);
    }
    for (int k = 0; k < 36; ++k) {
        POINT& star = field.stars[k];
        SetPixel(hdc, star.x, star.y, kSplash2Background);
        SetPixel(vhdc, star.x, star.y, kSplash2Background);
        star.x = (star.x + 1) % 320;
        SetPixel(hdc, star.x, star.y, c[r[k]]);
        SetPixel(vhdc, star.x, star.y, c[r[k]]);
    }
}

} // namespace orv
