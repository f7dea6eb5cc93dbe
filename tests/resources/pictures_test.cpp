// The pictures and the icon as the program gets them: registered under the
// names the windows load, at the sizes the windows show, with the colours
// each picture is made of.
#include "platform/bitmap_resource.h"
#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace orv {
namespace {

class Pictures : public ::testing::Test {
  protected:
    void SetUp() override { RegisterPictures(); }
    void TearDown() override {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
            DeleteObject(bitmap_);
        }
    }

    // Loads a picture and selects it for reading; nullptr if it is missing.
    HBITMAP Load(const char* name) {
        bitmap_ = LoadBitmapA(nullptr, name);
        if (bitmap_ != nullptr) {
            dc_ = CreateCompatibleDC(nullptr);
            SelectObject(dc_, bitmap_);
        }
        return bitmap_;
    }

    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // The share of the picture's pixels that pass the test.
    double Share(const std::function<bool(int r, int g, int b)>& test) const {
        int n = 0;
        for (int y = 0; y < bitmap_->height; ++y) {
            for (int x = 0; x < bitmap_->width; ++x) {
                const COLORREF c = At(x, y);
                n += test(GetRValue(c), GetGValue(c), GetBValue(c)) ? 1 : 0;
            }
        }
        return static_cast<double>(n) / (bitmap_->width * bitmap_->height);
    }

  private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
};

TEST_F(Pictures, EachBitmapHasTheSizeItsWindowShowsItAt) {
    struct Expected {
        const char* name;
        int width;
        int height;
    };
    for (const Expected& e :
         {Expected{"WJSPLASH1BITMAP", 320, 320}, Expected{"WJSPLASH2BITMAP", 320, 226},
          Expected{"WJABOUTBITMAP", 480, 240}}) {
        HBITMAP bitmap = LoadBitmapA(nullptr, e.name);
        ASSERT_NE(bitmap, nullptr) << e.name;
        EXPECT_EQ(bitmap->width, e.width) << e.name;
        EXPECT_EQ(bitmap->height, e.height) << e.name;
        DeleteObject(bitmap);
    }
}

TEST_F(Pictures, TheStartPictureIsAGoldCurveOnBlackInADarkRedFrame) {
    ASSERT_NE(Load("WJSPLASH1BITMAP"), nullptr);
    for (const POINT corner : {POINT{3, 3}, POINT{316, 3}, POINT{3, 316}, POINT{316, 316}}) {
        const COLORREF c = At(corner.x, corner.y);
        EXPECT_GT(GetRValue(c), 60) << corner.x << "," << corner.y;
        EXPECT_GT(GetRValue(c), 3 * GetGValue(c)) << corner.x << "," << corner.y;
        EXPECT_GT(GetRValue(c), 3 * GetBValue(c)) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(At(20, 20), RGB(0, 0, 0));
    const double gold = Share([](int r, int g, int b) { return r > 180 && g > 120 && b < r / 2; });
    EXPECT_GT(gold, 0.03);
    EXPECT_LT(gold, 0.5);
}

TEST_F(Pictures, TheClosingPictureContinuesTheSplashBackgroundAtItsTopEdge) {
    ASSERT_NE(Load("WJSPLASH2BITMAP"), nullptr);
    for (int x = 0; x < 320; ++x) {
        ASSERT_EQ(At(x, 0), 0x00301000u) << "x = " << x;
    }
}

TEST_F(Pictures, TheClosingLandscapeHasBlueValleysGreenSlopesAndSandHeights) {
    ASSERT_NE(Load("WJSPLASH2BITMAP"), nullptr);
    const double water = Share([](int r, int g, int b) { return b > 90 && b > r + 40 && b > g; });
    const double green =
        Share([](int r, int g, int b) { return g > 90 && g > r + 20 && g > b + 20; });
    const double sand = Share([](int r, int g, int b) { return r > 150 && g > 130 && b < r - 30; });
    EXPECT_GT(water, 0.05);
    EXPECT_GT(green, 0.10);
    EXPECT_GT(sand, 0.03);
}

TEST_F(Pictures, TheAboutPictureIsOnDarkGreen) {
    ASSERT_NE(Load("WJABOUTBITMAP"), nullptr);
    for (const POINT p : {POINT{2, 2}, POINT{477, 2}, POINT{2, 237}, POINT{240, 230}}) {
        const COLORREF c = At(p.x, p.y);
        EXPECT_GT(GetGValue(c), GetRValue(c)) << p.x << "," << p.y;
        EXPECT_GT(GetGValue(c), GetBValue(c)) << p.x << "," << p.y;
        EXPECT_LT(GetGValue(c), 90) << p.x << "," << p.y;
    }
}

TEST_F(Pictures, TheIconIsAnOpaqueSquareUnderItsResourceName) {
    const IconResource icon = PictureIcon("WJORVANTISICON");
    EXPECT_EQ(icon.name, "WJORVANTISICON");
    EXPECT_EQ(icon.width, 64);
    EXPECT_EQ(icon.height, 64);
    ASSERT_EQ(icon.pixels.size(), 64u * 64u);
    for (std::uint32_t pixel : icon.pixels) {
        ASSERT_EQ(pixel & 0xFF000000u, 0xFF000000u);
    }
    // The gold curve is at the centre.
    int gold = 0;
    for (int y = 24; y < 40; ++y) {
        for (int x = 24; x < 40; ++x) {
            const std::uint32_t c = icon.pixels[static_cast<std::size_t>(y) * 64 + x];
            gold += GetRValue(c) > 150 && GetGValue(c) > 100 && GetBValue(c) < 120 ? 1 : 0;
        }
    }
    EXPECT_GT(gold, 10);
}

} // namespace
} // namespace orv
