#include "paused_program.h"

#include "render/state.h"
#include "resources/resources.h"

namespace orv::test {
namespace {

using ImageSize = PausedProgram;

TEST_F(ImageSize, ANewSizeGivesABlackImageAndANewRenderWithCountsOfThatSize) {
    const COLORREF background = RGB(255, 245, 230);
    ASSERT_EQ(Image(300, 0), background) << "the first render has begun";
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 310, "800");
        Click(dialog, IDOK);
    });
    Command(kParameters);
    EXPECT_EQ(res, 800);
    EXPECT_EQ(dres, 800.0);
    EXPECT_EQ(firstloop, 1);
    ASSERT_EQ(g_vhdc->width, 800);
    ASSERT_EQ(g_vhdc->height, 800);
    for (const POINT at : {POINT{0, 0}, POINT{300, 0}, POINT{799, 799}}) {
        EXPECT_EQ(Image(at.x, at.y), 0u);
    }

    Render(2);
    EXPECT_EQ(hcres, 800);
    EXPECT_EQ(Image(799, 799), background);
    // The window, 1024 x 768, shows what of the image fits.
    EXPECT_EQ(Screen(799, 767), background);
    EXPECT_EQ(Screen(800, 10), 0u);
}

} // namespace
} // namespace orv::test
