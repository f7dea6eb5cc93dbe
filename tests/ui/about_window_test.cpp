#include "paused_program.h"

#include "platform/menu.h"
#include "platform/window.h"
#include "render/state.h"
#include "resources/resources.h"
#include "ui/startup.h"
#include "ui/state.h"

namespace orv::test {
namespace {

class AboutWindow : public PausedProgram {
  protected:
    HWND Open() {
        Command(kAbout);
        return LastWindow("WJPopupWindow");
    }
};

TEST_F(AboutWindow, ShowsItsPictureCentredOverTheDisabledMainWindow) {
    HWND about = Open();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->owner, g_hWnd);
    EXPECT_EQ(about->style, WS_POPUP);
    EXPECT_EQ(about->title, "");
    EXPECT_EQ(about->frame.left, 1024 / 2 - 240);
    EXPECT_EQ(about->frame.top, 768 / 2 - 120);
    EXPECT_EQ(about->frame.right - about->frame.left, 480);
    EXPECT_EQ(about->frame.bottom - about->frame.top, 240);
    EXPECT_TRUE(about->visible);
    EXPECT_FALSE(IsWindowEnabled(g_hWnd));
    EXPECT_EQ(program.aboutflag, 1);

    UpdateWindow(about);
    for (const POINT at : {POINT{0, 0}, POINT{240, 120}, POINT{479, 239}}) {
        EXPECT_EQ(SurfacePixel(about, at.x, at.y), PicturePixel("WJABOUTBITMAP", at.x, at.y));
    }
}

TEST_F(AboutWindow, MenuKeysAreSwallowedAndAnyOtherCharacterClosesIt) {
    HWND about = Open();
    Commands().clear();
    PostInputMessage(about, WM_KEYDOWN, 'R', 0);
    PostInputMessage(about, WM_KEYDOWN, VK_ESCAPE, 0);
    PostInputMessage(about, WM_KEYDOWN, VK_F1, 0);
    RunLoop(0);
    EXPECT_TRUE(IsWindow(about));
    EXPECT_TRUE(Commands().empty()) << "the disabled main window takes no command";
    EXPECT_EQ(okrun, 0);

    PostInputMessage(about, WM_KEYDOWN, 'Q', 0);
    RunLoop(0);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
    EXPECT_EQ(program.aboutflag, 0);
}

TEST_F(AboutWindow, AClickClosesIt) {
    HWND about = Open();
    PostInputMessage(about, WM_RBUTTONDOWN, 2, 0);
    RunLoop(0);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
    EXPECT_EQ(okrun, 0) << "the click was the about window's";
}

// Started with every resource but the pictures.
class WithoutPictures : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        RegisterMenuResource(kMenuName, MainMenuTemplate());
        RegisterAcceleratorResource(kMenuName, MainAcceleratorTable());
        ASSERT_EQ(InitWindowClass(nullptr), 0);
        ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 0);
        TakeStartCommand();
        Command(kRenderPauseResume);
    }
};

TEST_F(WithoutPictures, TheStartSplashRunsItsCourseAndTheAboutWindowSaysWhy) {
    EXPECT_EQ(backend.sleeps, std::vector<DWORD>{2000});
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));

    Command(kAbout);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_EQ(box.text, "Unable to allocate bitmap buffer.\nTry to free up some memory.");
    EXPECT_EQ(box.caption, "Memory Problem");
    EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, g_hWnd);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd)) << "the main window stays usable";
    EXPECT_EQ(program.aboutflag, 0);
}

} // namespace
} // namespace orv::test
