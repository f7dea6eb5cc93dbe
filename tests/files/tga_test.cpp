#include "engine_fixture.h"
#include "scratch_dir.h"
#include "write_failure.h"

#include "files/selection.h"
#include "files/tga.h"
#include "platform/kernel.h"
#include "render/surfaces.h"

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <string>

namespace orv::test {
namespace {

class TargaExport : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        std::strcpy(tgafile, (scratch / "pic.tga").c_str());
    }

    void Use(int side) {
        res = side;
        dres = side;
        ResizeImage();
    }

    std::string Bytes() const { return ScratchDir::Read(tgafile); }

    ScratchDir scratch;
};

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

TEST_F(TargaExport, At200TheFileHasItsHeaderRowsAndFooter) {
    Use(200);
    ASSERT_EQ(writetga(g_vhdc), 0);
    const std::string file = Bytes();
    ASSERT_EQ(file.size(), 120044u);
    EXPECT_EQ(file.substr(0, 18),
              bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC8, 0, 0xC8, 0, 0x18, 0x20}));
    EXPECT_EQ(file.substr(file.size() - 26),
              bytes({0, 0, 0, 0, 0, 0, 0, 0}) + std::string("TRUEVISION-XFILE.", 17) + '\0');
}

TEST_F(TargaExport, PixelsAreStoredBlueGreenRedWithTheTopRowFirst) {
    Use(200);
    SetPixel(g_vhdc, 0, 0, RGB(255, 0, 0));
    SetPixel(g_vhdc, 1, 0, RGB(1, 2, 3));
    SetPixel(g_vhdc, 199, 199, RGB(10, 20, 30));
    SetPixel(g_vhdc, 0, 1, RGB(0, 0, 255));
    ASSERT_EQ(writetga(g_vhdc), 0);
    const std::string file = Bytes();
    EXPECT_EQ(file.substr(18, 6), bytes({0, 0, 0xFF, 3, 2, 1}));
    EXPECT_EQ(file.substr(18 + 600, 3), bytes({0xFF, 0, 0})) << "row 1 follows row 0";
    EXPECT_EQ(file.substr(18 + 3 * 200 * 199 + 3 * 199, 3), bytes({30, 20, 10}));
}

TEST_F(TargaExport, TheDefaultSizeGivesTheDocumentedLengthAndReplacesAnOldFile) {
    scratch.Write("pic.tga", std::string(2000000, 'x'));
    ASSERT_EQ(writetga(g_vhdc), 0);
    EXPECT_EQ(Bytes().size(), 1080044u);
}

TEST_F(TargaExport, TheWindowIsDisabledAndShowsTheHourglassOnlyWhileRowsAreWritten) {
    Use(200);
    SetCursor(cross);
    backend.cursorChanges.clear();
    ASSERT_EQ(writetga(g_vhdc), 0);
    ASSERT_EQ(backend.cursorChanges.size(), 2u);
    EXPECT_EQ(backend.cursorChanges[0], LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_EQ(backend.cursorChanges[1], cross);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

TEST_F(TargaExport, NoMemoryForARowLeavesAnEmptyFileAndReturns2) {
    SetLocalAllocFailure([](std::size_t, int) { return true; });
    EXPECT_EQ(writetga(g_vhdc), 2);
    SetLocalAllocFailure({});
    EXPECT_EQ(Bytes().size(), 0u);
    EXPECT_STREQ(saveerror[1], "Not enough memory to buffer image lines.");
}

TEST_F(TargaExport, WriteFailuresGiveTheirCodesAndRestoreTheWindow) {
    Use(200);
    SetCursor(cross);
    std::strcpy(tgafile, (scratch / "missing/pic.tga").c_str());
    EXPECT_EQ(writetga(g_vhdc), 1) << "missing directory";
    std::strcpy(tgafile, (ReadOnlyDirectory(scratch) + "/pic.tga").c_str());
    EXPECT_EQ(writetga(g_vhdc), 1) << "read-only directory";
    std::strcpy(tgafile, kFullDisk);
    EXPECT_EQ(writetga(g_vhdc), 3) << "full disk";
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_STREQ(saveerror[0], "Error opening a save file.");
    EXPECT_STREQ(saveerror[2], "Error writing to save file.");
}

TEST_F(TargaExport, AFooterThatCannotBeWrittenOutIsAWriteFailure) {
    Use(200);
    // Room for the header and the rows but not the footer: the last bytes
    // reach the disk only when the file is closed.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tight = saved;
    tight.rlim_cur = 18 + 3 * 200 * 200;
    setrlimit(RLIMIT_FSIZE, &tight);
    const int result = writetga(g_vhdc);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(result, 3);
    EXPECT_EQ(Bytes().size(), 120018u);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

} // namespace
} // namespace orv::test
