// The closing splash's star field: 36 stars drifting right through the band
// above the picture, each taking a new shade of yellow every step.
#include "analysis/random.h"
#include "ui/splash.h"

namespace orv {

void stars(HDC hdc, HDC vhdc) {
    static POINT stars[36] = {{20, 23},  {22, 63},  {41, 28},  {55, 38},  {64, 51},  {70, 68},
                              {91, 6},   {96, 43},  {99, 63},  {133, 20}, {159, 49}, {163, 46},
                              {167, 42}, {172, 7},  {192, 70}, {199, 21}, {209, 53}, {219, 59},
                              {220, 47}, {220, 52}, {227, 7},  {227, 68}, {238, 66}, {242, 44},
                              {246, 28}, {247, 61}, {262, 19}, {270, 16}, {280, 14}, {290, 53},
                              {291, 5},  {293, 19}, {296, 11}, {156, 88}, {312, 88}, {0, 0}};
    const COLORREF c[9] = {0x00008080, 0x00009090, 0x0000A0A0, 0x0000B0B0, 0x0000C0C0,
                           0x0000D0D0, 0x0000E0E0, 0x0000F0F0, 0x0000FFFF};
    int r[36];
    for (int& shade : r) {
        shade = static_cast<int>(NextStarRandom() % 9);
    }
    for (int k = 0; k < 36; ++k) {
        POINT& star = stars[k];
        SetPixel(hdc, star.x, star.y, kSplash2Background);
        SetPixel(vhdc, star.x, star.y, kSplash2Background);
        star.x = (star.x + 1) % 320;
        SetPixel(hdc, star.x, star.y, c[r[k]]);
        SetPixel(vhdc, star.x, star.y, c[r[k]]);
    }
}

} // namespace orv
