#include "child_process.h"
#include "engine_fixture.h"

#include "analysis/lmap.h"
#include "analysis/lyapunov.h"
#include "analysis/workers.h"
#include "palette/palette.h"
#include "platform/window_dc.h"
#include "render/surfaces.h"

#include <cstdint>
#include <cstdio>
#include <system_error>
#include <thread>
#include <vector>

namespace orv::test {
namespace {

// The figures below were computed independently, pixel by pixel, with the C
// library's sine, square root and logarithm.
struct Reference {
    int type;
    int side;
    std::uint32_t hash; // FNV-1a over the palette index of every pixel, row by row
    int lowest;         // pixels with entry 1
    int highest;        // pixels with entry 255
    int corners[4];     // top left, top right, bottom left, bottom right
    const char* last;   // LExp after the map: the bottom-right pixel's exponent
};

class LyapunovMap : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        // A grey ramp: the colour of a pixel tells its palette index.
        unsigned char ramp[768];
        for (int i = 0; i < 256; ++i) {
            ramp[3 * i] = ramp[3 * i + 1] = ramp[3 * i + 2] = static_cast<unsigned char>(i);
        }
        genpalette(ramp);
    }

    void Use(int side) {
        SetRes(side);
        ResizeImage();
    }

    // Draws the whole map; returns the number of calls that reported the end.
    int Draw() {
        int ends = 0;
        for (int row = 0; row < res; ++row) {
            ends += lmap(WindowDC(g_hWnd).get(), row);
        }
        return ends;
    }

    int Index(int x, int y) const { return static_cast<int>(Image(x, y) & 0xFF); }
};

TEST_F(LyapunovMap, EveryPixelOfEachTypeMatchesTheReference) {
    const Reference references[] = {
        {0, 201, 71310014u, 1355, 0, {160, 135, 135, 160}, "0.5084024351960843"},
        {1, 201, 3678721568u, 1699, 0, {209, 214, 220, 211}, "1.304534779509039"},
        {2, 201, 3299091123u, 1575, 24, {213, 255, 189, 213}, "1.3398714164056815"},
        {3, 201, 4114864275u, 1565, 0, {237, 237, 237, 237}, "1.7165790976634063"},
        {0, 200, 2658161928u, 1360, 0, {160, 135, 135, 160}, "0.5084024351960843"},
    };
    for (const Reference& ref : references) {
        SCOPED_TRACE(testing::Message() << "type " << ref.type << " at " << ref.side);
        type = ref.type;
        Use(ref.side);
        EXPECT_EQ(Draw(), 1);
        EXPECT_TRUE(backend.messageBoxes.empty()) << "the map asks nothing";
        std::uint32_t hash = 2166136261u;
        int lowest = 0;
        int highest = 0;
        for (int y = 0; y < res; ++y) {
            for (int x = 0; x < res; ++x) {
                const int index = Index(x, y);
                hash = (hash ^ static_cast<std::uint32_t>(index)) * 16777619u;
                lowest += index == 1;
                highest += index == 255;
                ASSERT_NE(index, 0) << "entry 0 is never drawn";
            }
        }
        EXPECT_EQ(hash, ref.hash);
        EXPECT_EQ(lowest, ref.lowest);
        EXPECT_EQ(highest, ref.highest);
        const int last = res - 1;
        EXPECT_EQ(Index(0, 0), ref.corners[0]) << "A = -3, B = 3";
        EXPECT_EQ(Index(last, 0), ref.corners[1]) << "A = 3, B = 3";
        EXPECT_EQ(Index(0, last), ref.corners[2]) << "A = -3, B = -3";
        EXPECT_EQ(Index(last, last), ref.corners[3]) << "A = 3, B = -3";
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", LExp);
        EXPECT_STREQ(text, ref.last);
    }
}

TEST_F(LyapunovMap, ClampsTheExponentToEntries1To255) {
    type = 2;
    Use(201);
    Draw();
    EXPECT_EQ(Index(100, 100), 1) << "A = B = 0: the orbits meet, the floor gives entry 1";
    EXPECT_EQ(Index(200, 0), 255) << "an exponent of 1.984375 or more gives entry 255";
    for (int r = 0; r < 201; ++r) {
        EXPECT_NE(Index(r, r), 0);
    }
}

TEST_F(LyapunovMap, AllCoresPaintTheSamePixelsAsOne) {
    type = 1;
    Use(200);
    Draw();
    std::vector<COLORREF> parallel;
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            parallel.push_back(Image(x, y));
        }
    }
    const double parallelLast = LExp;
    SetWorkerLimit(1);
    Use(200);
    Draw();
    SetWorkerLimit(0);
    std::size_t k = 0;
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            ASSERT_EQ(Image(x, y), parallel[k++]) << x << ", " << y;
        }
    }
    EXPECT_EQ(LExp, parallelLast);
}

TEST_F(LyapunovMap, AThreadThatCannotBeMadeLeavesTheSamePicture) {
    // In a child that may run no further thread, the first map makes the
    // pool: it has to do without its threads.
    const int status = InChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 2;
        }
        const rlimit none{1, 1};
        if (::setrlimit(RLIMIT_NPROC, &none) != 0) {
            return 2;
        }
        try {
            std::thread([] {}).join();
            return 2;
        } catch (const std::system_error&) {
        }
        Use(200);
        Draw();
        std::uint32_t hash = 2166136261u;
        for (int y = 0; y < res; ++y) {
            for (int x = 0; x < res; ++x) {
                hash = (hash ^ static_cast<std::uint32_t>(Index(x, y))) * 16777619u;
            }
        }
        return hash == 2658161928u ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "threads cannot be limited here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(LyapunovMap, DrawsOneRowPerCallAndRestartsAtZero) {
    Use(200);
    EXPECT_EQ(lmap(WindowDC(g_hWnd).get(), 0), 0);
    EXPECT_NE(Image(0, 0), 0u);
    EXPECT_EQ(Image(0, 1), 0u) << "the image was black and row 1 is not drawn yet";
    EXPECT_EQ(Screen(199, 0), Image(199, 0)) << "the finished row is copied to the window";
    EXPECT_EQ(lmap(WindowDC(g_hWnd).get(), 1), 0);
    EXPECT_NE(Image(0, 1), 0u);
    SetPixel(g_vhdc, 5, 0, RGB(1, 2, 3));
    EXPECT_EQ(lmap(WindowDC(g_hWnd).get(), 0), 0);
    EXPECT_NE(Image(5, 0), RGB(1, 2, 3)) << "iter 0 starts again at the top row";
    EXPECT_EQ(Image(0, 2), 0u);
}

TEST_F(LyapunovMap, RowsBelowASmallWindowGoToTheImageOnly) {
    CreateSurfaces(150, 100);
    Use(200);
    Draw();
    EXPECT_NE(Image(199, 199), 0u);
    for (int y = 0; y < 100; y += 33) {
        for (int x = 0; x < 150; x += 37) {
            EXPECT_EQ(Screen(x, y), Image(x, y));
        }
    }
}

} // namespace
} // namespace orv::test
