#include "paused_program.h"
#include "scratch_dir.h"

#include "palette/palette.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"

#include <cstring>
#include <string>

namespace orv::test {
namespace {

class PaletteCommands : public PausedProgram {
  protected:
    // A palette file of 256 entries of red 10, green 20, blue 30.
    std::string GreyBlueMap() {
        std::string lines;
        for (int i = 0; i < 256; ++i) {
            lines += "10 20 30\n";
        }
        scratch.Write("grey.map", lines);
        return scratch / "grey.map";
    }

    bool PaletteIs(const unsigned char* expected) const {
        return std::memcmp(palette, expected, sizeof palette) == 0;
    }

    ScratchDir scratch;
};

TEST_F(PaletteCommands, NoToThePreviewRestoresTheCornerAndAsksForAnotherFile) {
    SetPixel(g_vhdc, 20, 25, RGB(1, 2, 3));
    backend.fileAnswers.push_back(GreyBlueMap());
    COLORREF previewed = 0;
    backend.onMessageBox = [&](const MessageBoxCall& box) {
        previewed = Screen(20, 25);
        EXPECT_EQ(box.text, "Accept palette?");
        EXPECT_EQ(box.caption, "Preview");
        EXPECT_EQ(box.type, MB_YESNO | MB_ICONINFORMATION);
        EXPECT_EQ(box.owner, nullptr);
        return IDNO;
    };
    Command(kPaletteFile);
    EXPECT_EQ(previewed, RGB(10, 20, 30)) << "the first bar of the preview";
    EXPECT_EQ(Screen(20, 25), RGB(1, 2, 3)) << "the window is as before";
    EXPECT_EQ(Image(20, 25), RGB(1, 2, 3));
    EXPECT_TRUE(PaletteIs(defpal1));
    EXPECT_TRUE(Checked(kDefaultPalette1));
    EXPECT_FALSE(Checked(kPaletteFile));
    EXPECT_EQ(firstloop, 0);
    EXPECT_EQ(QueuedCommand(), kPaletteFile) << "the selection opens again";
}

TEST_F(PaletteCommands, YesInstallsTheFilesPaletteAndMovesTheCheckMark) {
    backend.fileAnswers.push_back(GreyBlueMap());
    backend.messageBoxAnswers.push_back(IDYES);
    Command(kPaletteFile);
    EXPECT_EQ(PaletteColor(palette, 0), RGB(10, 20, 30));
    EXPECT_EQ(PaletteColor(palette, 255), RGB(10, 20, 30));
    EXPECT_TRUE(Checked(kPaletteFile));
    EXPECT_FALSE(Checked(kDefaultPalette1));
    EXPECT_FALSE(Checked(kDefaultPalette2));
    EXPECT_EQ(firstloop, 1);
    EXPECT_EQ(QueuedCommand(), 0u);
}

TEST_F(PaletteCommands, AnUnreadableFileIsReportedAndTheScreenCleared) {
    scratch.Write("words.map", "not a palette\n");
    backend.fileAnswers.push_back(scratch / "words.map");
    Command(kPaletteFile);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_EQ(box.text, "Error opening MAP file");
    EXPECT_EQ(box.caption, "MAP file error");
    EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, g_hWnd);
    EXPECT_TRUE(PaletteIs(defpal1));

    ASSERT_EQ(QueuedCommand(), kClearScreen);
    HandleNext();
    EXPECT_EQ(Image(0, 0), 0u);
    EXPECT_EQ(Image(599, 599), 0u);
    EXPECT_EQ(Screen(599, 599), 0u);
    EXPECT_EQ(firstloop, 1);
}

TEST_F(PaletteCommands, TheBuiltInPalettesMoveTheCheckMark) {
    Command(kDefaultPalette2);
    EXPECT_TRUE(PaletteIs(defpal2));
    EXPECT_TRUE(Checked(kDefaultPalette2));
    EXPECT_FALSE(Checked(kDefaultPalette1));
    EXPECT_EQ(firstloop, 1);

    Command(kDefaultPalette1);
    EXPECT_TRUE(PaletteIs(defpal1));
    EXPECT_TRUE(Checked(kDefaultPalette1));
    EXPECT_FALSE(Checked(kDefaultPalette2));
    EXPECT_FALSE(Checked(kPaletteFile));
}

} // namespace
} // namespace orv::test
