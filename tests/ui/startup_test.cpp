#include "program_fixture.h"

#include "palette/palette.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/mainwindow.h"
#include "ui/startup.h"
#include "ui/state.h"

#include <cstring>
#include <string>
#include <vector>

namespace orv::test {
namespace {

class StartUp : public ProgramTest {};

TEST_F(StartUp, TheMainWindowFillsTheScreenAndRenderingIsQueued) {
    backend.frameWidth = 8;
    backend.frameHeight = 46;
    Start();
    EXPECT_EQ(g_hWnd->title, "WJ Orvantis");
    EXPECT_EQ(g_hWnd->style, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
    EXPECT_EQ(g_hWnd->frame.left, 0);
    EXPECT_EQ(g_hWnd->frame.top, 0);
    EXPECT_EQ(g_hWnd->frame.right, 1024);
    EXPECT_EQ(g_hWnd->frame.bottom, 768);
    EXPECT_TRUE(g_hWnd->visible);
    EXPECT_EQ(program.xscreen, 1024);
    EXPECT_EQ(program.yscreen, 768);
    EXPECT_EQ(ClientRes.right, 1016);
    EXPECT_EQ(ClientRes.bottom, 722);
    EXPECT_EQ(res, 600);
    EXPECT_EQ(dres, 600.0);
    EXPECT_EQ(okrun, 0);

    EXPECT_EQ(g_vhdc->width, 600);
    EXPECT_EQ(g_vhdc->height, 600);
    EXPECT_EQ(GetPixel(g_vhdc, 599, 599), 0u) << "the image starts black";
    EXPECT_EQ(program.g_phdc->width, 296);
    EXPECT_EQ(program.g_phdc->height, 100);
    EXPECT_EQ(std::memcmp(palette, defpal1, sizeof palette), 0);
    EXPECT_TRUE(Checked(kDefaultPalette1));
    EXPECT_FALSE(Checked(kDefaultPalette2));

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, g_hWnd);
    EXPECT_EQ(msg.message, WM_COMMAND);
    EXPECT_EQ(msg.wParam, 165u);
    EXPECT_EQ(msg.lParam, 0);
}

TEST_F(StartUp, CreationPutsTheDefaultsIntoTheWorkingState) {
    p[2].a = 9.0;
    mm[1].xmax = 1.0;
    rot[3].z = 45.0;
    Start();
    EXPECT_EQ(p[2].a, pdef[2].a);
    EXPECT_EQ(mm[1].xmax, mmdef[1].xmax);
    EXPECT_EQ(rot[3].z, 0.0);
}

TEST_F(StartUp, ASixteenBitDisplayIsReportedAndTheProgramEndsWithZero) {
    backend.depth = 16;
    RegisterResources();
    EXPECT_EQ(WinMain(nullptr, nullptr, "", SW_SHOWNORMAL), 0);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_EQ(box.text, "Couldn't initialize graphics.");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_NE(g_hWnd, nullptr) << "the window was created before the check";
}

TEST_F(StartUp, ClassRegistrationFailuresHaveTheirOwnMessages) {
    WNDCLASSA taken;
    taken.lpfnWndProc = DefWindowProcA;
    taken.lpszClassName = "WJPopupWindow";
    RegisterClassA(&taken);
    RegisterResources();
    EXPECT_EQ(WinMain(nullptr, nullptr, "", SW_SHOWNORMAL), 0);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    EXPECT_EQ(backend.messageBoxes[0].text, "Couldn't register popup window class.");

    ResetPlatformState();
    backend.reset();
    taken.lpszClassName = "WJWindow";
    RegisterClassA(&taken);
    EXPECT_EQ(InitWindowClass(nullptr), 1);
}

TEST_F(StartUp, TheCommandLineIsKeptAsGivenUnlessItDoesNotFit) {
    backend.depth = 16; // start-up stops right after the window is made
    RegisterResources();
    WinMain(nullptr, nullptr, "\"/tmp/a b.gan\"", SW_SHOWNORMAL);
    EXPECT_STREQ(program.ogantemp, "\"/tmp/a b.gan\"");

    const std::string longest(259, 'x');
    WinMain(nullptr, nullptr, longest.c_str(), SW_SHOWNORMAL);
    EXPECT_EQ(std::string(program.ogantemp), longest);

    const std::string tooLong(260, 'x');
    WinMain(nullptr, nullptr, tooLong.c_str(), SW_SHOWNORMAL);
    EXPECT_STREQ(program.ogantemp, "") << "a cut name could load another file";
}

class Loop : public ProgramTest {};

TEST_F(Loop, RenderingStartsWithTheFirstMessageAndStepsOncePerMessage) {
    Start();
    EXPECT_EQ(RunLoop(99), 77u);
    EXPECT_EQ(okrun, 1);
    EXPECT_EQ(itercount, 100) << "command 165 and 99 wake-ups: 100 render steps";
    int drawn = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 600; ++x) {
            drawn += GetPixel(g_vhdc, x, y) != back ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 0);
}

// Notes the render steps taken whenever the message queue waits for input.
// At the first wait it presses R, fifty looks for input later R again, and
// at the next wait it quits; a loop that never waits is quit after 10000
// looks with another code.
class WaitingBackend : public HeadlessBackend {
  public:
    void pollEvents() override {
        ++polls;
        if (polls == pauseAt) {
            PostInputMessage(g_hWnd, WM_KEYDOWN, 'R', 0);
        } else if (polls == 10000) {
            PostQuitMessage(6);
        }
    }
    void waitEvents() override {
        stepsAtWait.push_back(itercount);
        if (stepsAtWait.size() == 1) {
            PostInputMessage(g_hWnd, WM_KEYDOWN, 'R', 0);
            pauseAt = polls + 50;
        } else {
            PostQuitMessage(5);
        }
    }
    int polls = 0;
    int pauseAt = 0;
    std::vector<int> stepsAtWait;
};

TEST_F(Loop, WhilePausedTheLoopWaitsForInputAndResumesAtOnce) {
    Start();
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); // the start command, not handled
    WaitingBackend waiting;
    InstallBackend(&waiting);
    const unsigned result = ProgramDriver();
    InstallBackend(nullptr);
    EXPECT_EQ(result, 5u);
    EXPECT_EQ(waiting.stepsAtWait, (std::vector<int>{0, 49}))
        << "R at the first wait: a step at once and one per look for input until R again";
    EXPECT_EQ(Commands(), (std::vector<UINT>{kRenderPauseResume, kRenderPauseResume}));
}

// Presses R on the main window at the 300th look for input and quits at
// the 600th.
class PressingBackend : public HeadlessBackend {
  public:
    void pollEvents() override {
        ++polls;
        if (polls == 300) {
            PostInputMessage(g_hWnd, WM_KEYDOWN, 'R', 0);
        } else if (polls == 600) {
            PostQuitMessage(0);
        }
    }
    int polls = 0;
};

TEST_F(Loop, WithTheProgramsOwnWindowEveryTurnStillStepsOnceAndTakesInput) {
    Start();
    g_hWnd->proc = MainWindowProc;
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg); // the start command: rendering on
    method[0] = 1;
    PressingBackend pressing;
    InstallBackend(&pressing);
    const unsigned result = ProgramDriver();
    InstallBackend(nullptr);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(okrun, 0) << "R paused the render";
    double hits = 0.0;
    for (int i = 0; i < res * res; ++i) {
        hits += hitcount[i];
    }
    EXPECT_EQ(hits, 298.0)
        << "a step after each of the 299 turns before R; the first plots nothing";
}

TEST_F(Loop, ClosingTheWindowWhileRenderingEndsTheProgramWithZero) {
    Start();
    for (int i = 0; i < 20; ++i) {
        PostMessageA(g_hWnd, WM_USER, 0, 0);
    }
    PostInputMessage(g_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(ProgramDriver(), 0u);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_EQ(g_vhdc, nullptr);
    EXPECT_EQ(hitcount, nullptr);
}

} // namespace
} // namespace orv::test
