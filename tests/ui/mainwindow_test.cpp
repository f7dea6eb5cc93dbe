#include "program_fixture.h"

#include "platform/menu.h"
#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"

#include <vector>

namespace orv::test {
namespace {

const std::vector<UINT> kAllItems = {155, 190, 160, 192, 168, 170, 175, 185, 180, 110,
                                     115, 120, 125, 130, 135, 140, 145, 150, 100, 105};
const std::vector<UINT> kFilters = {170, 175, 180, 185};

bool IsFilter(UINT id) {
    return id == 170 || id == 175 || id == 180 || id == 185;
}

class RenderToggle : public ProgramTest {};

TEST_F(RenderToggle, RenderingGraysEveryItemButItsOwn) {
    Start();
    TakeStartCommand();
    EXPECT_EQ(okrun, 1);
    for (UINT id : kAllItems) {
        EXPECT_TRUE(Grayed(id)) << id;
    }
    EXPECT_FALSE(Grayed(165));
}

TEST_F(RenderToggle, PausingEnablesTheItemsAndTheFiltersOnlyForHitCount) {
    Start();
    TakeStartCommand();
    Command(165);
    EXPECT_EQ(okrun, 0);
    for (UINT id : kAllItems) {
        EXPECT_EQ(Grayed(id), IsFilter(id)) << id << " with the Speed method";
    }
    EXPECT_FALSE(Grayed(165));
    EXPECT_EQ(GetCursor(), cross);

    method[0] = 1;
    Command(165);
    Command(165);
    for (UINT id : kFilters) {
        EXPECT_FALSE(Grayed(id)) << id << " with Hit Count";
    }
    Command(165);
    Command(165, 1);
    for (UINT id : kFilters) {
        EXPECT_TRUE(Grayed(id)) << id << " after a finished Lyapunov map";
    }
    Command(165);
    Command(165, 0x10000);
    EXPECT_FALSE(Grayed(170)) << "only the low word of lParam counts";
}

TEST_F(RenderToggle, OtherCommandsAreRefusedWhileRendering) {
    Start();
    TakeStartCommand();
    Command(kParameters);
    Command(kAttractorType);
    EXPECT_TRUE(backend.dialogs.empty());
    Command(165);
    Command(kAttractorType);
    EXPECT_EQ(backend.dialogs.size(), 1u);
}

class Keys : public ProgramTest {
  protected:
    void Press(int key, unsigned modifiers = 0) {
        const bool system = (modifiers & kAltDown) != 0 && (modifiers & kControlDown) == 0;
        PostInputMessage(g_hWnd, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(key), 0,
                         modifiers);
    }
};

TEST_F(Keys, TheTableGivesItsCommandsAndF10GivesDefaultPalette1) {
    Start();
    TakeStartCommand();
    method[0] = 1; // so that the filter items are enabled
    Command(165);
    Commands().clear();
    Press(VK_F10);
    Press(VK_F9);
    Press('C', kAltDown);
    Press('D', kControlDown | kAltDown);
    Press('G', kControlDown | kAltDown);
    Press('Q');
    RunLoop(0);
    EXPECT_EQ(Commands(), (std::vector<UINT>{140, 140, 185, 198, 199}));
}

TEST_F(Keys, AGrayedItemsKeyIsConsumedWithoutACommand) {
    Start();
    TakeStartCommand();
    Press('S');
    Press(VK_F4);
    Press('R');
    RunLoop(0);
    EXPECT_EQ(Commands(), (std::vector<UINT>{165})) << "only R acts while rendering";
    EXPECT_EQ(okrun, 0);
}

TEST_F(Keys, TabErasesTheGridOnlyWhilePausedWithAGrid) {
    Start();
    TakeStartCommand();
    HDC hdc = GetDC(g_hWnd);
    SetPixel(hdc, 10, 10, RGB(255, 255, 255));
    SetPixel(hdc, 700, 10, RGB(255, 255, 255));
    ReleaseDC(g_hWnd, hdc);
    SetPixel(g_vhdc, 10, 10, RGB(1, 2, 3));
    gridflag = 1;

    SendMessageA(g_hWnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(gridflag, 1) << "not while rendering";
    EXPECT_EQ(Screen(10, 10), RGB(255, 255, 255));

    Command(165);
    SendMessageA(g_hWnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(gridflag, 0);
    EXPECT_EQ(Screen(10, 10), RGB(1, 2, 3));
    EXPECT_EQ(Screen(700, 10), RGB(255, 255, 255)) << "only the image's square is copied";

    SetPixel(g_vhdc, 10, 10, RGB(4, 5, 6));
    SendMessageA(g_hWnd, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(Screen(10, 10), RGB(1, 2, 3)) << "no grid, no copy";
}

class Clicks : public ProgramTest {};

TEST_F(Clicks, AClickPausesAndAnotherResumesTheSameRender) {
    Start();
    PostInputMessage(g_hWnd, WM_LBUTTONDOWN, 1, 0);
    RunLoop(50);
    EXPECT_EQ(okrun, 0);
    EXPECT_EQ(itercount, 52) << "the click's own message still had its step";
    PostInputMessage(g_hWnd, WM_RBUTTONDOWN, 2, 0);
    RunLoop(0);
    EXPECT_EQ(okrun, 1);
    EXPECT_EQ(itercount, 53) << "the render went on where it stopped";
    EXPECT_EQ(firstloop, 0);
}

class Painting : public ProgramTest {};

TEST_F(Painting, APaintCopiesTheImageAndLeavesTheRestBlack) {
    Start();
    SetPixel(g_vhdc, 599, 599, RGB(9, 8, 7));
    InvalidateRect(g_hWnd, nullptr, TRUE);
    UpdateWindow(g_hWnd);
    EXPECT_EQ(Screen(599, 599), RGB(9, 8, 7));
    EXPECT_EQ(Screen(600, 599), 0u);
    EXPECT_EQ(Screen(599, 600), 0u);
}

} // namespace
} // namespace orv::test
