#include "palette/palette.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

namespace orv {
namespace {

using Rgb = std::array<int, 3>;

Rgb entry(const unsigned char* pal, int i) {
    return {pal[3 * i], pal[3 * i + 1], pal[3 * i + 2]};
}

TEST(DefaultPalette1, InstallsWholeFromBlackToLightBlue) {
    genpalette(defpal2);
    genpalette(defpal1);
    EXPECT_EQ(std::memcmp(palette, defpal1, sizeof palette), 0) << "all 768 bytes";
    EXPECT_EQ(entry(palette, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(entry(palette, 255), (Rgb{0, 184, 235}));
}

TEST(DefaultPalette1, RunOneIsExactAndTheOtherRunsStayNearTheirLines) {
    for (int i = 1; i <= 100; ++i) {
        EXPECT_EQ(entry(defpal1, i), (Rgb{255, (255 * i - 1) / 100, 0})) << "entry " << i;
    }
    const int runs[][2] = {{101, 140}, {141, 200}, {201, 229}, {230, 238}, {239, 243}, {244, 255}};
    for (const auto& run : runs) {
        const Rgb first = entry(defpal1, run[0]);
        const Rgb last = entry(defpal1, run[1]);
        for (int i = run[0]; i <= run[1]; ++i) {
            const double t = double(i - run[0]) / (run[1] - run[0]);
            for (int c = 0; c < 3; ++c) {
                const double line = first[c] + (last[c] - first[c]) * t;
                EXPECT_LE(std::fabs(entry(defpal1, i)[c] - line), 1.0)
                    << "entry " << i << " channel " << c;
            }
        }
    }
}

TEST(DefaultPalette2, EveryEntryFollowsTheTwentyOneStops) {
    const Rgb stops[21] = {
        {0, 0, 0},     {119, 0, 136}, {136, 0, 153},  {0, 0, 170},   {0, 0, 221},   {0, 119, 221},
        {0, 153, 221}, {0, 170, 170}, {0, 170, 136},  {0, 153, 0},   {0, 187, 0},   {0, 221, 0},
        {0, 255, 0},   {187, 255, 0}, {238, 238, 0},  {255, 204, 0}, {255, 153, 0}, {255, 0, 0},
        {221, 0, 0},   {204, 0, 0},   {204, 204, 204}};
    for (int i = 0; i < 256; ++i) {
        Rgb expected;
        if (i == 255) {
            expected = stops[20];
        } else {
            const double u = 20.0 * i / 255.0;
            const int k = static_cast<int>(u);
            const double t = u - k;
            for (int c = 0; c < 3; ++c) {
                expected[c] = static_cast<int>(
                    std::lround(stops[k][c] + (stops[k + 1][c] - stops[k][c]) * t));
            }
        }
        EXPECT_EQ(entry(defpal2, i), expected) << "entry " << i;
    }
}

TEST(DefaultPalette2, TellingEntries) {
    EXPECT_EQ(entry(defpal2, 1), (Rgb{9, 0, 11}));
    EXPECT_EQ(entry(defpal2, 12), (Rgb{112, 0, 128}));
    EXPECT_EQ(entry(defpal2, 13), (Rgb{119, 0, 136}));
    EXPECT_EQ(entry(defpal2, 26), (Rgb{131, 0, 154}));
    EXPECT_EQ(entry(defpal2, 51), (Rgb{0, 0, 221}));
    EXPECT_EQ(entry(defpal2, 102), (Rgb{0, 170, 136}));
    EXPECT_EQ(entry(defpal2, 114), (Rgb{0, 154, 8}));
    EXPECT_EQ(entry(defpal2, 153), (Rgb{0, 255, 0}));
    EXPECT_EQ(entry(defpal2, 204), (Rgb{255, 153, 0}));
    EXPECT_EQ(entry(defpal2, 217), (Rgb{254, 0, 0}));
    EXPECT_EQ(entry(defpal2, 242), (Rgb{204, 0, 0}));
    EXPECT_EQ(entry(defpal2, 243), (Rgb{204, 12, 12}));
    EXPECT_EQ(entry(defpal2, 255), (Rgb{204, 204, 204}));
}

TEST(Genpalette, InstallingPalette2ThenPalette1RestoresTheStartPalette) {
    genpalette(defpal1);
    unsigned char start[768];
    std::copy(palette, palette + 768, start);
    genpalette(defpal2);
    EXPECT_EQ(PaletteColor(palette, 255), RGB(204, 204, 204));
    genpalette(defpal1);
    EXPECT_TRUE(std::equal(start, start + 768, palette));
    EXPECT_EQ(PaletteColor(palette, 1), RGB(255, 2, 0));
}

} // namespace
} // namespace orv
