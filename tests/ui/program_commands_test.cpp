#include "paused_program.h"

#include "platform/menu.h"
#include "render/state.h"
#include "resources/resources.h"

namespace orv::test {
namespace {

using ProgramCommands = PausedProgram;

TEST_F(ProgramCommands, HelpPointsToTheGuide) {
    PostInputMessage(g_hWnd, WM_KEYDOWN, VK_F1, 0);
    RunLoop(0);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_EQ(box.text, "Please refer to the included\n   file, 'WJ Orvantis.pdf'.");
    EXPECT_EQ(box.caption, "WJ Orvantis");
    EXPECT_EQ(box.type, MB_ICONINFORMATION);
    EXPECT_EQ(box.owner, nullptr);
}

TEST_F(ProgramCommands, TheHiddenTogglesSayTheirNewState) {
    for (int i = 0; i < 2; ++i) {
        PostInputMessage(g_hWnd, WM_KEYDOWN, 'D', 0, kControlDown | kAltDown);
        PostInputMessage(g_hWnd, WM_KEYDOWN, 'G', 0, kControlDown | kAltDown);
    }
    RunLoop(0);
    ASSERT_EQ(backend.messageBoxes.size(), 4u);
    const std::pair<const char*, const char*> expected[4] = {
        {"Parameter display mode enabled.", "Debug Mode"},
        {"Ghost image mode enabled.", "Ghost Image Mode"},
        {"Parameter display mode disabled.", "Debug Mode"},
        {"Ghost image mode disabled.", "Ghost Image Mode"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(backend.messageBoxes[i].text, expected[i].first);
        EXPECT_EQ(backend.messageBoxes[i].caption, expected[i].second);
        EXPECT_EQ(backend.messageBoxes[i].type, MB_ICONINFORMATION);
    }
    EXPECT_EQ(debugflag, 0);
    EXPECT_EQ(ghostflag, 0);
    EXPECT_EQ(firstloop, 0) << "the picture goes on";
}

} // namespace
} // namespace orv::test
