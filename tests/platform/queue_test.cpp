#include "platform/headless.h"
#include "platform/menu.h"
#include "platform/user.h"

#include <gtest/gtest.h>

#include <vector>

namespace orv {
namespace {

std::vector<UINT> seen;

LRESULT recorder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CREATE) {
        seen.push_back(message);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Queue : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetPlatformState();
        Headless().reset();
        seen.clear();
        WNDCLASSA wc;
        wc.lpfnWndProc = recorder;
        wc.lpszClassName = "Recorder";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    }
    void TearDown() override { ResetPlatformState(); }
    HWND hwnd = nullptr;
};

TEST_F(Queue, PostedMessagesComeBeforeInput) {
    PostInputMessage(hwnd, WM_KEYDOWN, 'R', 0);
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostMessageA(hwnd, WM_COMMAND, 165, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_COMMAND);
    EXPECT_EQ(msg.wParam, 165u);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
}

TEST_F(Queue, PeekWithoutRemovingLeavesTheMessage) {
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    PostMessageA(hwnd, WM_USER, 7, 0);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Queue, RangeAndWindowFiltersSelectMessages) {
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostInputMessage(hwnd, WM_MOUSEMOVE, 0, 0);
    PostInputMessage(hwnd, WM_LBUTTONDOWN, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_KEYDOWN, 0x209, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_MOUSEMOVE);
    ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_KEYDOWN, 0x209, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_LBUTTONDOWN);
    EXPECT_FALSE(PeekMessageA(&msg, hwnd, WM_KEYDOWN, 0x209, PM_REMOVE));
}

TEST_F(Queue, QuitEndsGetMessageWithItsCode) {
    PostQuitMessage(3);
    MSG msg;
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Queue, InvalidWindowsGetPaintWhenNothingElseWaits) {
    InvalidateRect(hwnd, nullptr, FALSE);
    PostMessageA(hwnd, WM_USER, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_PAINT);
    DispatchMessageA(&msg);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) << "painting validates";
}

TEST_F(Queue, MessagesOfDestroyedWindowsAreDropped) {
    PostMessageA(hwnd, WM_USER, 0, 0);
    DestroyWindow(hwnd);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(seen.back(), WM_DESTROY);
}

TEST_F(Queue, CloseDestroysTheWindowByDefault) {
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Queue, AKeyThatTypesACharacterIsFollowedByIt) {
    struct Key {
        UINT message;
        WPARAM key;
        unsigned modifiers;
        UINT character; // 0: none
        WPARAM code;
    };
    const Key keys[] = {
        {WM_KEYDOWN, 'Q', 0, WM_CHAR, 'q'},
        {WM_KEYDOWN, 'Q', kShiftDown, WM_CHAR, 'Q'},
        {WM_KEYDOWN, 'Q', kControlDown, WM_CHAR, 17},
        {WM_KEYDOWN, '7', 0, WM_CHAR, '7'},
        {WM_KEYDOWN, VK_ESCAPE, 0, WM_CHAR, 0x1B},
        {WM_SYSKEYDOWN, 'C', kAltDown, WM_SYSCHAR, 'c'},
        {WM_KEYDOWN, 'D', kControlDown | kAltDown, 0, 0},
        {WM_KEYDOWN, VK_F4, 0, 0, 0},
        {WM_KEYUP, 'Q', 0, 0, 0},
    };
    for (const Key& k : keys) {
        PostInputMessage(hwnd, k.message, k.key, 0, k.modifiers);
        PostInputMessage(hwnd, WM_MOUSEMOVE, 0, 0);
        MSG msg;
        ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
        EXPECT_EQ(TranslateMessage(&msg) != FALSE, k.character != 0) << k.key;
        ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
        if (k.character == 0) {
            EXPECT_EQ(msg.message, WM_MOUSEMOVE) << k.key;
            continue;
        }
        EXPECT_EQ(msg.message, k.character) << k.key;
        EXPECT_EQ(msg.wParam, k.code) << k.key;
        EXPECT_EQ(msg.hwnd, hwnd);
        ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
        EXPECT_EQ(msg.message, WM_MOUSEMOVE) << "the character comes before later input";
    }
}

TEST(MessageBoxScript, RecordsEveryBoxAndAnswersFromTheScript) {
    HeadlessBackend& headless = Headless();
    headless.reset();
    headless.messageBoxAnswers.push_back(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Accept palette?", "Preview", MB_YESNO | MB_ICONINFORMATION),
              IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Draw grid?", "Grid Option", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_OK), IDOK);
    ASSERT_EQ(headless.messageBoxes.size(), 3u);
    EXPECT_EQ(headless.messageBoxes[0].text, "Accept palette?");
    EXPECT_EQ(headless.messageBoxes[0].caption, "Preview");
    EXPECT_EQ(headless.messageBoxes[0].type, MB_YESNO | MB_ICONINFORMATION);
    EXPECT_EQ(headless.messageBoxes[0].answer, IDNO);
}

TEST(Cursors, TheCurrentCursorIsObservableAndChangesOnlyWhenDifferent) {
    ResetPlatformState();
    Headless().reset();
    HCURSOR crossCursor = LoadCursorA(nullptr, IDC_CROSS);
    EXPECT_EQ(crossCursor, LoadCursorA(nullptr, IDC_CROSS));
    // SetCursor answers the cursor it replaces.
    EXPECT_EQ(SetCursor(crossCursor), nullptr);
    EXPECT_EQ(SetCursor(crossCursor), crossCursor);
    EXPECT_EQ(SetCursor(LoadCursorA(nullptr, IDC_WAIT)), crossCursor);
    EXPECT_EQ(GetCursor()->id, IDC_WAIT);
    EXPECT_EQ(Headless().cursorChanges.size(), 2u);
}

} // namespace
} // namespace orv
