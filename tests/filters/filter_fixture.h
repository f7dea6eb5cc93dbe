// A paused Hit Count render with counts set by hand, a grey-ramp palette so
// that a painted pixel's colour tells its palette index, and every pixel of
// the image and the window marked so that unpainted pixels can be told apart.
#pragma once

#include "engine_fixture.h"

#include "palette/palette.h"
#include "render/plot.h"
#include "render/surfaces.h"

namespace orv::test {

class FilterTest : public EngineTest {
  protected:
    static constexpr COLORREF kMark = RGB(7, 8, 9);

    void SetUp() override {
        EngineTest::SetUp();
        method[0] = 1;
        Steps(1); // makes the hit-count buffer for this size
        itercount = 1000;
        unsigned char ramp[768];
        for (int i = 0; i < 256; ++i) {
            ramp[3 * i] = ramp[3 * i + 1] = ramp[3 * i + 2] = static_cast<unsigned char>(i);
        }
        genpalette(ramp);
        HBRUSH mark = CreateSolidBrush(kMark);
        const RECT all{0, 0, 4000, 4000};
        HDC hdc = GetDC(g_hWnd);
        FillRect(hdc, &all, mark);
        ReleaseDC(g_hWnd, hdc);
        FillRect(g_vhdc, &all, mark);
        DeleteObject(mark);
    }

    void Count(int x, int y, float count) { hitcount[y * res + x] = count; }

    // The palette index painted at (x, y) in the image, or -1 if unpainted;
    // the window must show the same.
    int Painted(int x, int y) const {
        const COLORREF c = Image(x, y);
        EXPECT_EQ(Screen(x, y), c) << x << ", " << y;
        return c == kMark ? -1 : static_cast<int>(c & 0xFF);
    }
};

} // namespace orv::test
