#include "engine_fixture.h"

#include "palette/palette.h"
#include "platform/window_dc.h"
#include "render/hitcount.h"
#include "render/plot.h"
#include "render/surfaces.h"

#include <cstring>

namespace orv::test {
namespace {

class Plot : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        ASSERT_TRUE(PrepareHitCount());
    }

    void Move(double dx, double dy) {
        oldv = VOXEL{0.3, 0.3, 0.0};
        v = VOXEL{0.3 + dx, 0.3 + dy, 0.0};
    }
    // Plots with the window's surface, as the render driver does.
    static void PlotAt(int x, int y) { plot(WindowDC(g_hWnd).get(), x, y); }
    float Count(int x, int y) const { return hitcount[y * res + x]; }
    COLORREF Entry(unsigned i) const { return PaletteColor(palette, i); }
};

TEST_F(Plot, SpeedIndexFollowsTheJumpLength) {
    method[0] = 0;
    struct Case {
        double length;
        float index;
    } cases[] = {{0.0, 1}, {0.005, 1}, {0.25, 42}, {2.0, 255}};
    int x = 10;
    for (const Case& c : cases) {
        Move(c.length * 0.6, c.length * 0.8);
        PlotAt(x, 5);
        EXPECT_EQ(Count(x, 5), c.index) << "length " << c.length;
        EXPECT_EQ(Image(x, 5), Entry(static_cast<unsigned>(c.index)));
        ++x;
    }
    EXPECT_EQ(hitmax, 255u);
}

TEST_F(Plot, SpeedOnlyRaisesAPixel) {
    method[0] = 0;
    Move(0.25, 0.0);
    PlotAt(3, 3);
    Move(0.1, 0.0);
    PlotAt(3, 3);
    EXPECT_EQ(Count(3, 3), 42.0f);
    EXPECT_EQ(Image(3, 3), Entry(42));
    Move(0.25, 0.0);
    PlotAt(3, 3);
    EXPECT_EQ(Count(3, 3), 42.0f) << "an equal index changes nothing";
}

TEST_F(Plot, HitCountCountsEveryHitAndCapsTheColour) {
    method[0] = 1;
    PlotAt(7, 8);
    EXPECT_EQ(Count(7, 8), 1.0f);
    EXPECT_EQ(Image(7, 8), Entry(1));
    for (int i = 2; i <= 254; ++i) {
        PlotAt(7, 8);
    }
    EXPECT_EQ(Image(7, 8), Entry(254));
    PlotAt(7, 8);
    EXPECT_EQ(Image(7, 8), Entry(255));
    for (int i = 256; i <= 1000; ++i) {
        PlotAt(7, 8);
    }
    EXPECT_EQ(Image(7, 8), Entry(255));
    EXPECT_EQ(Count(7, 8), 1000.0f);
    EXPECT_EQ(hitmax, 1000u) << "hitmax follows the count, not the colour";
}

TEST_F(Plot, ZPlaneBlendsTowardsTheNextEntry) {
    unsigned char custom[768] = {};
    custom[3 * 127] = 100;
    custom[3 * 128] = 200;
    custom[3 * 255 + 1] = 200;
    custom[3 * 255 + 2] = 77;
    genpalette(custom);
    method[0] = 2;
    v.z = 0.5;
    PlotAt(1, 1);
    EXPECT_EQ(Count(1, 1), 127.5f);
    EXPECT_EQ(Image(1, 1), RGB(150, 0, 0)) << "half-way between entries 127 and 128";
    v.z = -0.499;
    PlotAt(1, 1);
    EXPECT_EQ(Image(1, 1), RGB(150, 0, 0)) << "index 127 is not above the stored 127.5";
    EXPECT_EQ(Count(1, 1), 127.5f);

    v.z = 0.999;
    PlotAt(3, 1);
    EXPECT_EQ(Count(3, 1), 254.745f);
    EXPECT_EQ(Image(3, 1), RGB(0, 149, 57)) << "entry 254 is blended 74.5% towards 255";

    v.z = 1.0;
    PlotAt(2, 1);
    EXPECT_EQ(Image(2, 1), RGB(0, 200, 77)) << "entry 255 unblended";
    EXPECT_EQ(hitmax, 255u);
}

TEST_F(Plot, ZPlaneSmallHeightsUseEntryOneBlendedTowardsTwo) {
    unsigned char grey[768];
    for (int i = 0; i < 256; ++i) {
        grey[3 * i] = grey[3 * i + 1] = grey[3 * i + 2] = static_cast<unsigned char>(i);
    }
    grey[3] = 0;
    grey[6] = 200;
    genpalette(grey);
    method[0] = 2;
    v.z = 0.001;
    PlotAt(4, 4);
    // 25.5 % of the way from red 0 (entry 1) to red 200 (entry 2).
    EXPECT_EQ(GetRValue(Image(4, 4)), 51);
    EXPECT_EQ(GetGValue(Image(4, 4)), 1);
    EXPECT_EQ(hitmax, 1u);
}

TEST_F(Plot, PositionsOutsideTheImageChangeNothing) {
    method[0] = 1;
    PlotAt(-1, 0);
    PlotAt(0, -1);
    PlotAt(res, 0);
    PlotAt(0, res);
    EXPECT_EQ(hitmax, 0u);
    for (int i = 0; i < res * res; ++i) {
        ASSERT_EQ(hitcount[i], 0.0f);
    }
}

TEST_F(Plot, PixelsBeyondTheWindowReachOnlyTheImage) {
    CreateSurfaces(300, 200);
    method[0] = 1;
    PlotAt(299, 199);
    PlotAt(300, 10);
    PlotAt(10, 200);
    EXPECT_EQ(Screen(299, 199), Entry(1));
    EXPECT_EQ(Image(300, 10), Entry(1));
    EXPECT_EQ(Image(10, 200), Entry(1));
    EXPECT_EQ(Screen(10, 199), 0u);
}

TEST_F(Plot, AnUnknownMethodDrawsNothing) {
    method[0] = 3;
    PlotAt(5, 5);
    EXPECT_EQ(Count(5, 5), 0.0f);
    EXPECT_EQ(Image(5, 5), 0u);
}

} // namespace
} // namespace orv::test
