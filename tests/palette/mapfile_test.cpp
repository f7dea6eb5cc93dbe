#include "scratch_dir.h"

#include "palette/mapfile.h"
#include "palette/palette.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <string>

namespace orv::test {
namespace {

using Rgb = std::array<int, 3>;

Rgb entry(int i) {
    return {paltemp[3 * i], paltemp[3 * i + 1], paltemp[3 * i + 2]};
}

class MapFile : public ::testing::Test {
  protected:
    void SetUp() override { std::memset(paltemp, 9, sizeof paltemp); }

    int Load(const std::string& text, const std::string& name = "test.map") {
        scratch.Write(name, text);
        return ReadMapFile((scratch / name).c_str(), paltemp);
    }

    static std::string Lines(int count, const std::string& line) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += line + "\n";
        }
        return text;
    }

    ScratchDir scratch;
};

TEST_F(MapFile, AnEmptyFileGivesNearBlackEverywhere) {
    EXPECT_EQ(Load(""), 0);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entry(i), (Rgb{1, 1, 1})) << i;
    }
}

TEST_F(MapFile, ReadAsAValueTheEntriesAreTheFilesAndNothingIsChanged) {
    scratch.Write("three.map", "7 8 9\n300 2 3\n");
    const auto entries = ReadMap(scratch / "three.map");
    ASSERT_TRUE(entries);
    EXPECT_EQ((std::array{(*entries)[0], (*entries)[1], (*entries)[2], (*entries)[3], (*entries)[4],
                          (*entries)[5], (*entries)[6], (*entries)[767]}),
              (std::array<unsigned char, 8>{7, 8, 9, 44, 2, 3, 1, 1}));
    scratch.Write("bad.map", "1 2 3\nred\n");
    EXPECT_FALSE(ReadMap(scratch / "bad.map"));
    EXPECT_EQ(entry(0), (Rgb{9, 9, 9})) << "the working palettes stay";
}

TEST_F(MapFile, TenLinesGiveTenEntriesAndTheRestNearBlack) {
    std::string text;
    for (int i = 0; i < 10; ++i) {
        text +=
            std::to_string(i) + " " + std::to_string(10 * i) + " " + std::to_string(20 * i) + "\n";
    }
    EXPECT_EQ(Load(text), 0);
    EXPECT_EQ(entry(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(entry(9), (Rgb{9, 90, 180}));
    EXPECT_EQ(entry(10), (Rgb{1, 1, 1}));
    EXPECT_EQ(entry(255), (Rgb{1, 1, 1}));
}

TEST_F(MapFile, NumbersKeepTheirLowEightBitsAndTrailingTextIsIgnored) {
    EXPECT_EQ(Load("0 0 0 black\n300 -1 256\n  +7\t-256   1000\n"
                   "99999999999999999999 4294967297 -257\n"),
              0);
    EXPECT_EQ(entry(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(entry(1), (Rgb{44, 255, 0}));
    EXPECT_EQ(entry(2), (Rgb{7, 0, 232}));
    EXPECT_EQ(entry(3), (Rgb{255, 1, 255}));
}

TEST_F(MapFile, OnlyTheFirst256LinesAreRead) {
    EXPECT_EQ(Load(Lines(256, "5 6 7") + Lines(44, "not a colour")), 0);
    EXPECT_EQ(entry(255), (Rgb{5, 6, 7}));
}

TEST_F(MapFile, ABlankLineFailsWithTheEntriesBeforeItReplaced) {
    EXPECT_EQ(Load(Lines(3, "5 6 7") + "\n" + Lines(3, "5 6 7")), 1);
    EXPECT_EQ(entry(2), (Rgb{5, 6, 7}));
    EXPECT_EQ(entry(3), (Rgb{9, 9, 9})) << "the rest keep their earlier contents";
    EXPECT_EQ(Load("1 2\n"), 1) << "two numbers are not enough";
    EXPECT_EQ(entry(0), (Rgb{5, 6, 7})) << "a bad line leaves its entry alone";
}

TEST_F(MapFile, ALineLongerThan99CharactersIsReadAsTwo) {
    EXPECT_EQ(Load("1 2 3" + std::string(94, ' ') + "4 5 6\n"), 0)
        << "the remainder starts with three numbers";
    EXPECT_EQ(entry(1), (Rgb{4, 5, 6}));
    EXPECT_EQ(entry(2), (Rgb{1, 1, 1}));
    EXPECT_EQ(Load("1 2 3 " + std::string(100, 'x') + "\n"), 1);
}

TEST_F(MapFile, DosLineEndsAndCtrlZAreReadAsInTextMode) {
    const std::string longLine = "1 2 3" + std::string(93, ' ');
    EXPECT_EQ(Load(longLine + "\r\n4 5 6\r\n"), 0) << "98 characters before CR LF are one line";
    EXPECT_EQ(entry(1), (Rgb{4, 5, 6}));
    EXPECT_EQ(entry(2), (Rgb{1, 1, 1}));
    EXPECT_EQ(Load("7 8 9\r\n\x1a"), 0) << "Ctrl-Z ends the text";
    EXPECT_EQ(entry(1), (Rgb{1, 1, 1}));
    EXPECT_EQ(Load("7 8 9\r\n\x1a\r\nnot a colour\r\n"), 0) << "nothing after Ctrl-Z is read";
    EXPECT_EQ(Load("7 8 9\r4 5 6\n"), 0) << "a CR alone stays in its line";
    EXPECT_EQ(entry(1), (Rgb{1, 1, 1}));
}

TEST_F(MapFile, TheNameIsOpenedAsChosenOnACaseSensitiveFileSystem) {
    EXPECT_EQ(Load("10 20 30\n", "Warm Colours.map"), 0);
    EXPECT_EQ(entry(0), (Rgb{10, 20, 30}));
}

TEST_F(MapFile, AMissingFileADirectoryOrANamedPipeIsAnErrorAndChangesNothing) {
    EXPECT_EQ(ReadMapFile((scratch / "missing.map").c_str(), paltemp), 1);
    EXPECT_EQ(ReadMapFile(scratch.path().c_str(), paltemp), 1);
    // Nothing will ever be written into the pipe: a read that waits for it
    // is ended by the alarm.
    ASSERT_EQ(::mkfifo((scratch / "pipe.map").c_str(), 0644), 0);
    ::alarm(10);
    EXPECT_EQ(ReadMapFile((scratch / "pipe.map").c_str(), paltemp), 1);
    ::alarm(0);
    EXPECT_EQ(entry(0), (Rgb{9, 9, 9}));
    EXPECT_EQ(entry(255), (Rgb{9, 9, 9}));
}

} // namespace
} // namespace orv::test
