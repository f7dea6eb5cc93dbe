#include "platform/headless.h"
#include "platform/user.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

class WindowData : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetPlatformState();
        Headless().reset();
        WNDCLASSA wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Plain";
        RegisterClassA(&wc);
    }
    void TearDown() override { ResetPlatformState(); }

    static HWND Make() {
        return CreateWindowExA(0, "Plain", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    }
};

TEST_F(WindowData, EachWindowKeepsItsOwnValueUntilItIsDestroyed) {
    const HWND first = Make();
    const HWND second = Make();
    EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA), 0) << "a new window";
    EXPECT_EQ(SetWindowLongPtrA(first, GWLP_USERDATA, 41), 0);
    EXPECT_EQ(SetWindowLongPtrA(first, GWLP_USERDATA, 42), 41) << "the value it replaces";
    EXPECT_EQ(SetWindowLongPtrA(second, GWLP_USERDATA, -7), 0);
    EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA), 42);
    EXPECT_EQ(GetWindowLongPtrA(second, GWLP_USERDATA), -7);
    EXPECT_EQ(SetWindowLongPtrA(first, GWLP_USERDATA + 1, 5), 0) << "no other index";
    EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA + 1), 0);
    EXPECT_EQ(GetWindowLongPtrA(nullptr, GWLP_USERDATA), 0);

    DestroyWindow(first);
    EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA), 0) << "a destroyed window keeps none";
    EXPECT_EQ(SetWindowLongPtrA(first, GWLP_USERDATA, 9), 0);
    EXPECT_EQ(GetWindowLongPtrA(first, GWLP_USERDATA), 0);
    EXPECT_EQ(GetWindowLongPtrA(second, GWLP_USERDATA), -7);
}

} // namespace
} // namespace orv
