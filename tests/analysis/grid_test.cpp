#include "engine_fixture.h"

#include "analysis/lmap.h"
#include "render/surfaces.h"

#include <string>
#include <vector>

namespace orv::test {
namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);

class Grid : public EngineTest {
  protected:
    void DrawGrid() {
        HDC hdc = GetDC(g_hWnd);
        drawgrid(hdc);
        ReleaseDC(g_hWnd, hdc);
    }
};

TEST_F(Grid, At600TheLinesLieEvery50PixelsWithLabelsBesideThem) {
    DrawGrid();
    for (int k = 1; k < 12; ++k) {
        const int at = 50 * k;
        EXPECT_EQ(Screen(at, 0), kYellow) << at;
        EXPECT_EQ(Screen(at, 599), kYellow) << at;
        EXPECT_EQ(Screen(0, at), kYellow) << at;
        EXPECT_EQ(Screen(599, at), kYellow) << at;
    }
    EXPECT_NE(Screen(25, 25), kYellow);
    EXPECT_NE(Screen(0, 0), kYellow) << "no line at 0";
    EXPECT_NE(Screen(50, 600), kYellow) << "lines stop at the image's edge";
    EXPECT_NE(Screen(600, 50), kYellow);

    struct Label {
        std::string text;
        int x;
        int y;
    };
    const std::vector<Label> expected = {
        {"A:", 52, 2},   {"-2.0", 102, 2}, {"-1.0", 202, 2}, {"0.0", 302, 2},
        {"1.0", 402, 2}, {"2.0", 502, 2},  {"B:", 2, 52},    {"2.0", 2, 102},
        {"1.0", 2, 202}, {"0.0", 2, 302},  {"-1.0", 2, 402}, {"-2.0", 2, 502},
    };
    ASSERT_EQ(backend.texts.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(backend.texts[i].text, expected[i].text);
        EXPECT_EQ(backend.texts[i].x, expected[i].x) << expected[i].text;
        EXPECT_EQ(backend.texts[i].y, expected[i].y) << expected[i].text;
        EXPECT_EQ(backend.texts[i].color, kYellow);
    }
}

TEST_F(Grid, LinesBeyondASmallWindowAreSkippedAndTheOthersStopAtItsEdge) {
    CreateSurfaces(420, 330);
    DrawGrid();
    EXPECT_EQ(Screen(400, 329), kYellow) << "vertical lines run to the window's bottom";
    EXPECT_EQ(Screen(419, 300), kYellow) << "horizontal lines run to the window's right";
    EXPECT_NE(Screen(410, 10), kYellow);
    EXPECT_EQ(backend.texts.size(), 12u) << "labels are written wherever they fall";
}

} // namespace
} // namespace orv::test
