#include "engine_fixture.h"

#include "palette/palette.h"
#include "render/surfaces.h"
#include "ui/palette_preview.h"

namespace orv::test {
namespace {

class Preview : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        for (int i = 0; i < 256; ++i) {
            paltemp[3 * i] = static_cast<unsigned char>(i);
            paltemp[3 * i + 1] = static_cast<unsigned char>(255 - i);
            paltemp[3 * i + 2] = 77;
        }
        back = RGB(12, 34, 56);
    }
};

TEST_F(Preview, BarsFieldAndFrameLieWhereTheyShould) {
    EXPECT_EQ(showpalette(), 0);
    EXPECT_EQ(Screen(20, 25), RGB(0, 255, 77)) << "entry 0";
    EXPECT_EQ(Screen(275, 74), RGB(255, 0, 77)) << "entry 255";
    EXPECT_EQ(Screen(147, 50), RGB(127, 128, 77));
    EXPECT_EQ(Screen(20, 24), back) << "bars are 50 pixels high";
    EXPECT_EQ(Screen(20, 75), back);
    EXPECT_EQ(Screen(276, 50), back);
    EXPECT_EQ(Screen(10, 50), back);
    EXPECT_EQ(Screen(3, 3), back);
    EXPECT_EQ(Screen(292, 96), back);
    for (int i : {0, 2}) {
        EXPECT_EQ(Screen(i, i), RGB(205, 215, 225));
        EXPECT_EQ(Screen(295 - i, 99 - i), RGB(205, 215, 225));
        EXPECT_EQ(Screen(150, i), RGB(205, 215, 225));
        EXPECT_EQ(Screen(i, 50), RGB(205, 215, 225));
    }
    EXPECT_EQ(Screen(1, 1), RGB(215, 225, 235));
    EXPECT_EQ(Screen(294, 98), RGB(215, 225, 235));
    EXPECT_EQ(Screen(296, 50), 0u) << "nothing beyond the preview";
    EXPECT_EQ(Screen(150, 100), 0u);
    EXPECT_EQ(Image(20, 25), 0u) << "the off-screen image is not touched";
}

TEST_F(Preview, ASmallWindowShowsTheCornerThatFits) {
    CreateSurfaces(200, 60);
    EXPECT_EQ(showpalette(), 0);
    EXPECT_EQ(Screen(20, 25), RGB(0, 255, 77));
    EXPECT_EQ(Screen(199, 59), RGB(179, 76, 77));
    EXPECT_EQ(Screen(0, 0), RGB(205, 215, 225));
}

} // namespace
} // namespace orv::test
