// Bitmap resources: registered pictures come back as bitmaps that can be
// selected and copied like any other.
#include "platform/bitmap_resource.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(BitmapResource, ALoadedBitmapHoldsTheRegisteredPixelsRowByRow) {
    ASSERT_TRUE(RegisterBitmapResource(
        "TESTBITMAP", 3, 2,
        {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(1, 2, 3), RGB(4, 5, 6), 0xAA123456u}));
    HBITMAP bitmap = LoadBitmapA(nullptr, "TESTBITMAP");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width, 3);
    EXPECT_EQ(bitmap->height, 2);

    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(1, 2, 3));
    // A stray top byte is not taken into the picture: pixels are opaque.
    EXPECT_EQ(GetPixel(dc, 2, 1), 0x00123456u);
    EXPECT_EQ(bitmap->bits[5], 0xFF123456u);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(BitmapResource, EachLoadIsABitmapOfItsOwn) {
    ASSERT_TRUE(RegisterBitmapResource("TESTBITMAP", 1, 1, {RGB(9, 9, 9)}));
    HBITMAP first = LoadBitmapA(nullptr, "TESTBITMAP");
    HBITMAP second = LoadBitmapA(nullptr, "TESTBITMAP");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    first->bits[0] = 0xFF000000u;
    DeleteObject(first);
    EXPECT_EQ(second->bits[0] & 0x00FFFFFFu, RGB(9, 9, 9));
    DeleteObject(second);
}

TEST(BitmapResource, UnknownNamesAndMismatchedSizesGiveNoBitmap) {
    EXPECT_EQ(LoadBitmapA(nullptr, "NOSUCHBITMAP"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, nullptr), nullptr);
    EXPECT_FALSE(RegisterBitmapResource("SHORTBITMAP", 2, 2, {0, 0, 0}));
    EXPECT_FALSE(RegisterBitmapResource("EMPTYBITMAP", 0, 0, {}));
    EXPECT_FALSE(RegisterBitmapResource("NEGATIVEBITMAP", -1, -1, {0}));
    EXPECT_EQ(LoadBitmapA(nullptr, "SHORTBITMAP"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, "EMPTYBITMAP"), nullptr);
}

TEST(BitmapResource, ARefusedRegistrationKeepsTheEarlierPicture) {
    ASSERT_TRUE(RegisterBitmapResource("TESTBITMAP", 1, 1, {RGB(7, 7, 7)}));
    EXPECT_FALSE(RegisterBitmapResource("TESTBITMAP", 2, 1, {RGB(8, 8, 8)}));
    HBITMAP bitmap = LoadBitmapA(nullptr, "TESTBITMAP");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width, 1);
    EXPECT_EQ(bitmap->bits[0] & 0x00FFFFFFu, RGB(7, 7, 7));
    DeleteObject(bitmap);
}

} // namespace
} // namespace orv
