#include "platform/menu.h"
#include "platform/window.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv {
namespace {

std::vector<WPARAM> commands;

LRESULT commandRecorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commands.push_back(LOWORD(wParam));
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Accelerators : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetPlatformState();
        commands.clear();
        RegisterMenuResource(
            "TESTMENU",
            {{0, "File", MF_POPUP, {{10, "Open", 0, {}}, {0, "", 0, {}}, {11, "Save", 0, {}}}}});
        RegisterAcceleratorResource("TESTMENU", {{FVIRTKEY, 'O', 10},
                                                 {FVIRTKEY, 'S', 11},
                                                 {FVIRTKEY | FALT, 'S', 12},
                                                 {FVIRTKEY | FCONTROL | FALT, 'D', 13}});
        WNDCLASSA wc;
        wc.lpfnWndProc = commandRecorder;
        wc.lpszClassName = "WithMenu";
        wc.lpszMenuName = "TESTMENU";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "WithMenu", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
        table = LoadAcceleratorsA(nullptr, "TESTMENU");
    }
    void TearDown() override { ResetPlatformState(); }

    int Press(int key, unsigned modifiers = 0) {
        const UINT message = (modifiers & kAltDown) != 0 && (modifiers & kControlDown) == 0
                                 ? WM_SYSKEYDOWN
                                 : WM_KEYDOWN;
        PostInputMessage(hwnd, message, static_cast<WPARAM>(key), 0, modifiers);
        MSG msg;
        GetMessageA(&msg, nullptr, 0, 0);
        return TranslateAcceleratorA(hwnd, table, &msg);
    }

    HWND hwnd = nullptr;
    HACCEL table = nullptr;
};

TEST_F(Accelerators, KeysBecomeCommandsWithExactModifiers) {
    EXPECT_TRUE(Press('O'));
    EXPECT_TRUE(Press('S', kAltDown));
    EXPECT_TRUE(Press('D', kControlDown | kAltDown));
    EXPECT_FALSE(Press('D', kControlDown)) << "a key without its modifiers is no accelerator";
    EXPECT_FALSE(Press('X'));
    EXPECT_EQ(commands, (std::vector<WPARAM>{10, 12, 13}));
}

TEST_F(Accelerators, AGrayedItemsKeyIsConsumedWithoutACommand) {
    EXPECT_EQ(EnableMenuItem(GetMenu(hwnd), 11, MF_BYCOMMAND | MF_GRAYED), 0);
    EXPECT_TRUE(Press('S'));
    EXPECT_TRUE(commands.empty());
    EnableMenuItem(GetMenu(hwnd), 11, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_TRUE(Press('S'));
    EXPECT_EQ(commands, (std::vector<WPARAM>{11}));
}

TEST_F(Accelerators, EveryKeyIsConsumedWhileTheWindowIsDisabled) {
    EnableWindow(hwnd, FALSE);
    EXPECT_TRUE(Press('O'));
    EXPECT_TRUE(Press('D', kControlDown | kAltDown));
    EXPECT_TRUE(commands.empty());
}

TEST_F(Accelerators, MenuStatesAreKeptPerItem) {
    HMENU menu = GetMenu(hwnd);
    EXPECT_EQ(CheckMenuItem(menu, 10, MF_BYCOMMAND | MF_CHECKED), 0);
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu, 11, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(EnableMenuItem(menu, 99, MF_GRAYED), -1);
}

} // namespace
} // namespace orv
