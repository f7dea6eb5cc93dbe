#include "platform/gdi.h"
#include "platform/user.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

class Surface : public ::testing::Test {
  protected:
    void SetUp() override {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(nullptr, 10, 8);
        SelectObject(dc, bitmap);
    }
    void TearDown() override {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
};

TEST_F(Surface, NewBitmapIsBlackAndPixelsKeepTheirColorref) {
    EXPECT_EQ(GetPixel(dc, 0, 0), 0u);
    SetPixel(dc, 3, 4, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 4), 0x000000FFu);
    SetPixel(dc, 9, 7, 0x00123456);
    EXPECT_EQ(GetPixel(dc, 9, 7), 0x00123456u);
}

TEST_F(Surface, PixelsOutsideTheSurfaceAreIgnored) {
    EXPECT_EQ(SetPixel(dc, 10, 0, 0xFF), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, -1, 0, 0xFF), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 0, 8, 0xFF), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, 0, -1), CLR_INVALID);
}

TEST_F(Surface, FillRectIsClippedAndExcludesRightAndBottom) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    RECT r{-5, 2, 4, 100};
    FillRect(dc, &r, brush);
    EXPECT_EQ(GetPixel(dc, 0, 2), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 3, 7), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 4, 2), 0u);
    EXPECT_EQ(GetPixel(dc, 0, 1), 0u);
    DeleteObject(brush);
}

TEST_F(Surface, PatBltUsesTheSelectedBrush) {
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    SelectObject(dc, brush);
    PatBlt(dc, 1, 1, 2, 2, PATCOPY);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(9, 9, 9));
    EXPECT_EQ(GetPixel(dc, 3, 3), 0u);
    // Deleting a brush that is still selected leaves the context usable.
    DeleteObject(brush);
    PatBlt(dc, 0, 0, 1, 1, PATCOPY);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
}

TEST_F(Surface, BitBltCopiesAndClipsAgainstBothSurfaces) {
    HDC small = CreateCompatibleDC(nullptr);
    HBITMAP bits = CreateCompatibleBitmap(nullptr, 3, 3);
    SelectObject(small, bits);
    SetPixel(small, 0, 0, 0x111111);
    SetPixel(small, 2, 2, 0x222222);
    BitBlt(dc, 8, 6, 5, 5, small, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dc, 8, 6), 0x111111u);
    EXPECT_EQ(GetPixel(dc, 9, 7), 0u);
    BitBlt(dc, -2, -2, 3, 3, small, 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dc, 0, 0), 0x222222u);
    DeleteDC(small);
    DeleteObject(bits);
}

TEST_F(Surface, LinesLeaveOutTheirEndPoint) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
    SelectObject(dc, pen);
    MoveToEx(dc, 2, 1, nullptr);
    LineTo(dc, 2, 5);
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 2, 4), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 2, 5), 0u);
    const POINT outline[] = {{0, 0}, {9, 0}, {9, 7}, {0, 7}, {0, 0}};
    Polyline(dc, outline, 5);
    EXPECT_EQ(GetPixel(dc, 9, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 9, 7), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 0, 7), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 5, 4), 0u);
    DeleteObject(pen);
}

TEST(WindowSurface, GetDcDrawsOnTheClientArea) {
    WNDCLASSA wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Plain";
    ASSERT_NE(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(&wc), 0) << "a class registers once";
    HWND hwnd =
        CreateWindowExA(0, "Plain", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 40);
    EXPECT_EQ(client.bottom, 30);
    HDC dc = GetDC(hwnd);
    SetPixel(dc, 39, 29, 0xABCDEF);
    ReleaseDC(hwnd, dc);
    dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 39, 29), 0xABCDEFu);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    ReleaseDC(hwnd, dc);
    ResetPlatformState();
}

} // namespace
} // namespace orv
