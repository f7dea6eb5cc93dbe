#include "engine_fixture.h"

#include "palette/palette.h"
#include "platform/kernel.h"
#include "render/kernel.h"
#include "render/plot.h"
#include "render/surfaces.h"
#include "ui/driver.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace orv::test {
namespace {

class Driver : public EngineTest {};

TEST_F(Driver, TheFirstStepClearsThePictureAndPlotsNothing) {
    HDC hdc = GetDC(g_hWnd);
    SetPixel(hdc, 800, 650, RGB(1, 2, 3));
    SetPixel(g_vhdc, 360, 320, RGB(1, 2, 3));
    ReleaseDC(g_hWnd, hdc);
    method[0] = 1;
    Steps(1);
    EXPECT_EQ(firstloop, 0);
    EXPECT_EQ(itercount, 1);
    EXPECT_EQ(Screen(800, 650), 0u) << "the client area outside the image is black";
    EXPECT_EQ(Screen(599, 599), back);
    EXPECT_EQ(Screen(600, 0), 0u);
    EXPECT_EQ(Image(360, 320), back) << "the first iterate is not plotted";
    EXPECT_EQ(hitmax, 0u);
    EXPECT_EQ(GetCursor(), hourglass);
    Steps(1);
    EXPECT_EQ(hitmax, 1u) << "the second step plots the second iterate";
}

TEST_F(Driver, ItercountStopsAt1000AndRestartsAtZero) {
    Steps(999);
    EXPECT_EQ(itercount, 999);
    Steps(5);
    EXPECT_EQ(itercount, 1000);
    firstloop = 1;
    Steps(1);
    EXPECT_EQ(itercount, 1);
}

TEST_F(Driver, PausingKeepsTheRenderWhereItWas) {
    method[0] = 1;
    Steps(5000);
    const VOXEL at = v;
    const std::uint32_t most = hitmax;
    Steps(1);
    EXPECT_NE(v.x, at.x) << "a later step continues the same orbit";
    EXPECT_GE(hitmax, most);
}

TEST_F(Driver, AChangeWhilePausedIsUsedByTheNextStep) {
    Steps(10);
    const VOXEL at = v;
    p[0].a = 1.0;
    Steps(1);
    int count = 0;
    const VOXEL next = RenderKernel(RenderInputs()).map(at, count);
    EXPECT_EQ(v.x, next.x) << "the render continues with the new parameter";
    EXPECT_EQ(v.y, next.y);
    EXPECT_EQ(oldv.x, at.x);
}

// What a render leaves behind.
struct Outcome {
    VOXEL v;
    VOXEL oldv;
    int ghostcount = 0;
    int itercount = 0;
    std::uint32_t hitmax = 0;
    std::vector<float> counts;
    std::vector<COLORREF> image;
    std::vector<COLORREF> screen;
    bool operator==(const Outcome&) const = default;
};

class ManySteps : public Driver {
  protected:
    // A render of n steps: the first one alone, the rest by DriveSteps in
    // one call, or by as many calls of fractaldriver.
    Outcome Render(long n, bool inOneCall) {
        firstloop = 1;
        fractaldriver();
        if (inOneCall) {
            EXPECT_EQ(DriveSteps(static_cast<std::uint64_t>(n - 1)), kStepTaken);
        } else {
            Steps(n - 1);
        }
        Outcome out{v, oldv, ghostcount, itercount, hitmax, {}, {}, {}};
        out.counts.assign(hitcount, hitcount + res * res);
        for (int y = 0; y < res; y += 3) {
            for (int x = 0; x < res; x += 3) {
                out.image.push_back(Image(x, y));
                out.screen.push_back(Screen(x, y));
            }
        }
        return out;
    }
};

TEST_F(ManySteps, OneCallGivesWhatAsManyCallsGive) {
    // A window narrower than the image, so that its clipping is compared too.
    CreateSurfaces(450, 700);
    ghostflag = 1;
    rotationorder = 4;
    for (int t = 0; t < 4; ++t) {
        type = t;
        for (const VOXEL turn : {VOXEL{30.0, 0.0, 15.0}, VOXEL{}}) {
            rot[t] = turn;
            for (int m = 0; m < 3; ++m) {
                method[t] = m;
                // 25,000 steps cross both ends of the ghost image's mirrored run.
                const Outcome single = Render(25000, false);
                const Outcome batch = Render(25000, true);
                EXPECT_TRUE(single == batch)
                    << "type " << t << ", " << methodNames[m] << ", turned " << turn.x;
                EXPECT_EQ(batch.v.z, single.v.z);
                EXPECT_EQ(batch.oldv.z, single.oldv.z);
                EXPECT_EQ(batch.itercount, 1000);
                // The "Standard" map has no ghost image.
                EXPECT_EQ(batch.ghostcount, t == 0 ? 0 : 5000);
            }
        }
    }
    // Two steps after the first: oldv is a point of the run too.
    type = 1;
    method[1] = 1;
    const Outcome single = Render(3, false);
    EXPECT_TRUE(single == Render(3, true));
}

TEST_F(ManySteps, TheStepsThatStartARenderOrDrawAMapRowGoOneByOne) {
    method[0] = 1;
    EXPECT_EQ(DriveSteps(3), kStepTaken);
    EXPECT_EQ(firstloop, 0) << "the first step started the render";
    EXPECT_EQ(itercount, 3);
    EXPECT_EQ(hitmax, 1u) << "the first iterate is not plotted, the next two are";
    lmapflag = 1;
    firstloop = 1;
    SetRes(200);
    ResizeImage();
    EXPECT_EQ(DriveSteps(1000), kMapComplete);
    EXPECT_EQ(lmapflag, 0);
    EXPECT_EQ(firstloop, 1);
}

TEST_F(Driver, TheBufferIsReusedAtTheSameSizeAndRemadeAtAnother) {
    method[0] = 1;
    Steps(100);
    float* first = hitcount;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(hcres, 600);
    EXPECT_EQ(saveres, 600);
    firstloop = 1;
    Steps(1);
    EXPECT_EQ(hitcount, first);
    for (int i = 0; i < res * res; ++i) {
        ASSERT_EQ(hitcount[i], 0.0f);
    }
    SetRes(200);
    ResizeImage();
    firstloop = 1;
    Steps(1);
    EXPECT_EQ(hcres, 200);
    EXPECT_EQ(saveres, 200);
    Steps(1000);
    EXPECT_GT(hitmax, 0u);
}

TEST_F(Driver, AFailedAllocationIsShownOnceAndPausesWithCommand165) {
    SetRes(300);
    ResizeImage();
    saveres = 123;
    SetLocalAllocFailure([](std::size_t, int) { return true; });
    okrun = 1;
    RenderStep();
    SetLocalAllocFailure({});
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_EQ(box.text, "Not enough memory to allocate hit count buffer.\nFree up more system "
                        "memory, or\n   set a smaller image resolution.");
    EXPECT_EQ(box.caption, "Memory allocation problem");
    EXPECT_EQ(box.type, MB_ICONWARNING);
    EXPECT_EQ(box.owner, g_hWnd);
    EXPECT_EQ(firstloop, 1);
    EXPECT_EQ(hcres, 0);
    EXPECT_EQ(saveres, 123);
    EXPECT_EQ(itercount, 0) << "nothing else of the step ran";
    EXPECT_EQ(Image(0, 0), back) << "the picture was cleared";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_COMMAND);
    EXPECT_EQ(msg.wParam, 165u);
    EXPECT_EQ(msg.lParam, 0);
    EXPECT_EQ(fractaldriver(), kStepTaken) << "the next start tries again";
    EXPECT_EQ(hcres, 300);
    EXPECT_EQ(backend.messageBoxes.size(), 1u);
}

class MapEnd : public Driver {
  protected:
    // Renders the whole Lyapunov map at 200 x 200 as the main window does.
    void DrawMap() {
        SetRes(200);
        ResizeImage();
        lmapflag = 1;
        for (int row = 0; row < 200; ++row) {
            RenderStep();
        }
    }
};

TEST_F(MapEnd, TheLastRowAsksForTheGridAndNoDrawsNone) {
    backend.messageBoxAnswers.push_back(IDNO);
    gridflag = 1;
    DrawMap();
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_EQ(box.text, "Draw grid?\n\nX-axis: parameter A from -3.0 to 3.0\nY-axis: parameter B "
                        "from -3.0 to 3.0\n\nGrid may be erased by pressing 'TAB'.");
    EXPECT_EQ(box.caption, "Grid Option");
    EXPECT_EQ(box.type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(gridflag, 0);
    EXPECT_TRUE(backend.texts.empty());
    EXPECT_EQ(lmapflag, 0);
    EXPECT_EQ(firstloop, 1) << "the next resume starts an attractor render";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_COMMAND);
    EXPECT_EQ(msg.wParam, 165u);
    EXPECT_EQ(msg.lParam, 1) << "the filters stay grayed";
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MapEnd, YesDrawsTheGridOnTheWindowOnly) {
    backend.messageBoxAnswers.push_back(IDYES);
    DrawMap();
    EXPECT_EQ(gridflag, 1);
    const COLORREF yellow = RGB(255, 255, 0);
    EXPECT_EQ(Screen(16, 7), yellow) << "the line at res / 12";
    EXPECT_NE(Image(16, 7), yellow);
    EXPECT_EQ(backend.texts.size(), 12u);
}

// The figures below were computed independently with the C library's scalar
// sine and no contraction of floating-point operations.
TEST_F(Driver, FiveMillionHitCountStepsAreBitReproducible) {
    method[0] = 1;
    Steps(5000000);
    EXPECT_EQ(hitmax, 6484u);
    long lit = 0;
    double hits = 0.0;
    for (int i = 0; i < res * res; ++i) {
        if (hitcount[i] != 0.0f) {
            ++lit;
        }
        hits += hitcount[i];
    }
    EXPECT_EQ(lit, 45918);
    EXPECT_EQ(hits, 4999999.0);
    char text[64];
    std::snprintf(text, sizeof text, "%.17g %.17g", v.x, v.y);
    EXPECT_STREQ(text, "0.050705459092480698 1.0255410933914648");
}

} // namespace
} // namespace orv::test
