#include "child_process.h"
#include "engine_fixture.h"
#include "scratch_dir.h"
#include "write_failure.h"

#include "files/selection.h"
#include "files/tga.h"
#include "platform/kernel.h"
#include "render/surfaces.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

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

    // Hooks that record when they run.
    WhileWriting Recording() {
        return WhileWriting{[this] { shown.push_back("begin"); },
                            [this] { shown.push_back("end"); }};
    }

    ScratchDir scratch;
    std::vector<std::string> shown;
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
    ASSERT_EQ(writetga(g_vhdc), SaveResult::Saved);
    const std::string file = Bytes();
    ASSERT_EQ(file.size(), 120044u);
    EXPECT_EQ(file.substr(0, 18),
              bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC8, 0, 0xC8, 0, 0x18, 0x20}));
    EXPECT_EQ(file.substr(file.size() - 26),
              bytes({0, 0, 0, 0, 0, 0, 0, 0}) + std::string("TRUEVISION-XFILE.", 17) + '\0');
}

TEST_F(TargaExport, PixelsAreStoredBlueGreenRedWithTheTopRowFirst) {
    // 201 pixels a row: whole groups of four and one more.
    Use(201);
    for (int x = 0; x < 9; ++x) {
        SetPixel(g_vhdc, x, 0, RGB(x + 1, x + 11, x + 21));
    }
    g_vhdc->bits[9] = 0xAB000000u | RGB(7, 8, 9); // a byte above the colour is no part of it
    SetPixel(g_vhdc, 200, 200, RGB(10, 20, 30));
    SetPixel(g_vhdc, 0, 1, RGB(0, 0, 255));
    ASSERT_EQ(writetga(g_vhdc), SaveResult::Saved);
    const std::string file = Bytes();
    std::string row;
    for (int x = 0; x < 9; ++x) {
        row += bytes({x + 21, x + 11, x + 1});
    }
    EXPECT_EQ(file.substr(18, 30), row + bytes({9, 8, 7}));
    EXPECT_EQ(file.substr(18 + 603, 3), bytes({0xFF, 0, 0})) << "row 1 follows row 0";
    EXPECT_EQ(file.substr(18 + 3 * 201 * 200 + 3 * 200, 3), bytes({30, 20, 10}));
}

TEST_F(TargaExport, ASizeNotYetAppliedIsWrittenWithWhiteBeyondTheImage) {
    Use(200);
    SetPixel(g_vhdc, 199, 0, RGB(1, 2, 3));
    res = 202;
    ASSERT_EQ(writetga(g_vhdc), SaveResult::Saved);
    const std::string file = Bytes();
    ASSERT_EQ(file.size(), 18u + 3u * 202 * 202 + 26);
    EXPECT_EQ(file.substr(18 + 3 * 199, 9), bytes({3, 2, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(file.substr(18 + 3 * 202 * 200, 3 * 202 * 2), std::string(3 * 202 * 2, '\xFF'));
}

TEST_F(TargaExport, TheDefaultSizeGivesTheDocumentedLengthAndReplacesAnOldFile) {
    scratch.Write("pic.tga", std::string(2000000, 'x'));
    ASSERT_EQ(writetga(g_vhdc), SaveResult::Saved);
    EXPECT_EQ(Bytes().size(), 1080044u);
}

TEST_F(TargaExport, TheCallerIsToldOfTheRowsBeforeTheOldFileIsReplaced) {
    Use(200);
    scratch.Write("pic.tga", "old");
    WhileWriting recording = Recording();
    recording.end = [this] { shown.push_back("end, file: " + Bytes()); };
    ASSERT_EQ(writetga(g_vhdc, recording), SaveResult::Saved);
    EXPECT_EQ(shown, (std::vector<std::string>{"begin", "end, file: old"}));
    EXPECT_EQ(Bytes().size(), 120044u);
}

// An export that cannot finish leaves the file it was to replace as it was,
// and nothing beside it.
class FailedTargaExport : public TargaExport {
  protected:
    void SetUp() override {
        TargaExport::SetUp();
        Use(200);
        scratch.Write("pic.tga", kOld);
    }

    void ExpectOldFileAlone() const {
        EXPECT_EQ(Bytes(), kOld);
        EXPECT_EQ(NamesIn(scratch.path()), std::set<std::string>{"pic.tga"});
    }

    static constexpr const char* kOld = "a good picture saved earlier";
};

TEST_F(FailedTargaExport, NoMemoryForARowTouchesNoFile) {
    SetLocalAllocFailure([](std::size_t, int) { return true; });
    EXPECT_EQ(writetga(g_vhdc, Recording()), SaveResult::NoMemory);
    SetLocalAllocFailure({});
    ExpectOldFileAlone();
    EXPECT_TRUE(shown.empty());
}

TEST_F(FailedTargaExport, AFileSizeLimitKeepsTheOldFileAndEndsWhatTheCallerShows) {
    // Room for the header and the rows but not the footer: the last bytes
    // reach the disk only when the file is closed.
    const int status = InChild([&] {
        LimitFileSize(18 + 3 * 200 * 200);
        const bool failed = writetga(g_vhdc, Recording()) == SaveResult::WriteError;
        return failed && shown.size() == 2 ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectOldFileAlone();
}

TEST_F(FailedTargaExport, ASignalDuringTheExportKeepsTheOldFile) {
    // The signal comes once the header is written and before the first row.
    const int status = InChild([&] {
        writetga(g_vhdc, WhileWriting{[] { std::raise(SIGTERM); }, {}});
        return 0;
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    ExpectOldFileAlone();
}

TEST_F(FailedTargaExport, ACreateOrWriteFailureGivesItsResult) {
    std::strcpy(tgafile, (scratch / "missing/pic.tga").c_str());
    EXPECT_EQ(writetga(g_vhdc, Recording()), SaveResult::OpenError) << "missing directory";
    std::strcpy(tgafile, (ReadOnlyDirectory(scratch) + "/pic.tga").c_str());
    EXPECT_EQ(writetga(g_vhdc, Recording()), SaveResult::OpenError) << "read-only directory";
    EXPECT_TRUE(shown.empty()) << "nothing is shown for a file that cannot be made";
    std::strcpy(tgafile, kFullDisk);
    EXPECT_EQ(writetga(g_vhdc, Recording()), SaveResult::WriteError) << "full disk";
    EXPECT_EQ(shown, (std::vector<std::string>{"begin", "end"}));
    std::filesystem::remove(scratch / "locked");
    std::strcpy(tgafile, (scratch / "pic.tga").c_str());
    ExpectOldFileAlone();
}

} // namespace
} // namespace orv::test
