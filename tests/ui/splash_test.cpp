#include "paused_program.h"

#include "platform/menu.h"
#include "platform/window.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/splash.h"
#include "ui/startup.h"
#include "ui/state.h"

namespace orv::test {
namespace {

constexpr COLORREF kBackground = 0x00301000;

bool IsStar(COLORREF c) {
    for (COLORREF shade : {0x00008080u, 0x00009090u, 0x0000A0A0u, 0x0000B0B0u, 0x0000C0C0u,
                           0x0000D0D0u, 0x0000E0E0u, 0x0000F0F0u, 0x0000FFFFu}) {
        if (c == shade) {
            return true;
        }
    }
    return false;
}

using StartSplash = ProgramTest;

TEST_F(StartSplash, ShowsTheStartPictureForTwoSecondsWhileTheMainWindowIsMade) {
    HWND splashWindow = nullptr;
    HWND mainWindow = nullptr;
    int cursorShown = 0;
    COLORREF shown[2] = {};
    backend.onSleep = [&](DWORD) {
        splashWindow = LastWindow("WJSplashWindow");
        mainWindow = LastWindow("WJWindow");
        cursorShown = backend.cursorShowCount;
        shown[0] = SurfacePixel(splashWindow, 0, 0);
        shown[1] = SurfacePixel(splashWindow, 200, 150);
    };
    Start();
    EXPECT_EQ(backend.sleeps, std::vector<DWORD>{2000});
    ASSERT_NE(splashWindow, nullptr);
    EXPECT_EQ(splashWindow->owner, mainWindow);
    EXPECT_EQ(splashWindow->style, WS_POPUP);
    EXPECT_EQ(splashWindow->frame.left, 1024 / 2 - 160);
    EXPECT_EQ(splashWindow->frame.top, 768 / 2 - 160);
    EXPECT_EQ(splashWindow->frame.right - splashWindow->frame.left, 320);
    EXPECT_EQ(splashWindow->frame.bottom - splashWindow->frame.top, 320);
    EXPECT_EQ(cursorShown, -1) << "the cursor is hidden meanwhile";
    EXPECT_EQ(shown[0], PicturePixel("WJSPLASH1BITMAP", 0, 0));
    EXPECT_EQ(shown[1], PicturePixel("WJSPLASH1BITMAP", 200, 150));

    EXPECT_FALSE(IsWindow(splashWindow));
    EXPECT_EQ(backend.cursorShowCount, 0);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

TEST_F(StartSplash, WithoutTheirClassesNeitherSplashIsShown) {
    WNDCLASSA taken;
    taken.lpfnWndProc = DefWindowProcA;
    for (const char* name : {"WJSplashWindow", "WJSplash2Window"}) {
        taken.lpszClassName = name;
        RegisterClassA(&taken);
    }
    Start();
    EXPECT_TRUE(backend.sleeps.empty());
    TakeStartCommand();
    Command(kRenderPauseResume);
    Command(kExit);
    EXPECT_EQ(backend.windows.size(), 1u) << "only the main window";
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

class ClosingSplash : public PausedProgram {
  protected:
    void SetUp() override {
        PausedProgram::SetUp();
        Command(kExit);
        splashWindow = LastWindow("WJSplash2Window");
        ASSERT_NE(splashWindow, nullptr);
    }

    // One animation step, or the splash's ending.
    void Steps(int n) {
        for (int i = 0; i < n; ++i) {
            ASSERT_TRUE(HandleNext());
        }
    }

    COLORREF Splash(int x, int y) const { return SurfacePixel(splashWindow, x, y); }

    HWND splashWindow = nullptr;
};

TEST_F(ClosingSplash, BlanksTheMainWindowAndShowsThePictureUnderTheStars) {
    EXPECT_EQ(Screen(10, 10), 0u);
    EXPECT_EQ(Screen(700, 500), 0u);
    EXPECT_FALSE(IsWindowEnabled(g_hWnd));
    EXPECT_EQ(splashWindow->owner, g_hWnd);
    EXPECT_EQ(splashWindow->frame.left, 1024 / 2 - 160);
    EXPECT_EQ(splashWindow->frame.top, 768 / 2 - 160);
    EXPECT_TRUE(splashWindow->visible);

    Steps(1);
    EXPECT_EQ(Splash(160, 94), PicturePixel("WJSPLASH2BITMAP", 160, 0));
    EXPECT_EQ(Splash(319, 319), PicturePixel("WJSPLASH2BITMAP", 319, 225));
    EXPECT_EQ(Splash(5, 90), kBackground);
    // The shades come from the star draw of the generator, whose state is 1
    // at start: the first star gets shade 5 and the last shade 8.
    EXPECT_EQ(Splash(20, 23), kBackground);
    EXPECT_EQ(Splash(21, 23), 0x0000D0D0u);
    EXPECT_EQ(Splash(1, 0), 0x0000FFFFu);
    EXPECT_EQ(backend.sleeps.back(), 20u);
}

TEST_F(ClosingSplash, TheStarFrom312And88ReachesTheEdgeAfterSevenStepsAndWrapsOnTheEighth) {
    Steps(7);
    EXPECT_TRUE(IsStar(Splash(319, 88)));
    EXPECT_EQ(Splash(318, 88), kBackground);
    Steps(1);
    EXPECT_TRUE(IsStar(Splash(0, 88)));
    EXPECT_EQ(Splash(319, 88), kBackground);
}

TEST_F(ClosingSplash, AMouseMoveIsDroppedButAButtonPressEndsItASecondLater) {
    PostInputMessage(splashWindow, WM_MOUSEMOVE, 0, 0);
    Steps(2);
    EXPECT_EQ(backend.sleeps.back(), 20u);
    EXPECT_TRUE(IsWindow(splashWindow));

    PostInputMessage(splashWindow, WM_LBUTTONDOWN, 1, 0);
    Steps(1);
    EXPECT_EQ(backend.sleeps.back(), 1000u);
    Steps(1);
    EXPECT_FALSE(IsWindow(splashWindow));
    Steps(1); // the main window's WM_DESTROY
    EXPECT_EQ(g_vhdc, nullptr);
}

TEST_F(ClosingSplash, TheProgramEndsWithZeroAfterAKey) {
    PostInputMessage(splashWindow, WM_KEYDOWN, 'A', 0);
    // Were the key never seen, the animation would run on: the test ends it
    // instead of waiting for ever.
    backend.onSleep = [this](DWORD) {
        if (backend.sleeps.size() > 1000 && IsWindow(splashWindow)) {
            DestroyWindow(splashWindow);
            PostQuitMessage(99);
        }
    };
    EXPECT_EQ(ProgramDriver(), 0u);
    EXPECT_EQ(backend.sleeps.back(), 1000u);
}

} // namespace
} // namespace orv::test
