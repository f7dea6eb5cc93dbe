#include "child_process.h"
#include "scratch_dir.h"
#include "write_failure.h"

#include "files/gan.h"
#include "files/selection.h"
#include "render/state.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>

namespace orv::test {
namespace {

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string unhex(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    }
    return out;
}

// The record written right after start-up, as laid out by the file format
// (built independently of the program).
const std::string kDefaultRecord = "00000000433d7d04fef0eebf5a7f4b00fe090740"
                                   "5c55f65d117ce83fad4b8dd0cfd4e73f9a999999"
                                   "9999b93f9a9999999999b93f0000000000000000"
                                   "fff5e600ff000000f5000000e600000000000000"
                                   "0000000000000000000000000000000000000000";

// A "Beta" record: a 1.5, b -2.25, c 0.5, d 0.25, start (0.2, 0.3, 0.4),
// back 0x00112233 with red 1, green 2, blue 3 (which disagree), rotations
// 10, 20 and 30 degrees.
const std::string kBetaRecord = "02000000000000000000f83f00000000000002c0"
                                "000000000000e03f000000000000d03f9a999999"
                                "9999c93f333333333333d33f9a9999999999d93f"
                                "3322110001000000020000000300000000000000"
                                "0000244000000000000034400000000000003e40";

bool sameBits(const PARAM& a, const PARAM& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class ParameterFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetRenderState();
        std::strcpy(sganfile, (scratch / "saved.gan").c_str());
        std::strcpy(oganfile, (scratch / "load.gan").c_str());
        sganfiletitle[0] = '\0';
    }

    ScratchDir scratch;
};

TEST_F(ParameterFile, TheStartStateIsSavedAsTheDocumentedHundredBytes) {
    ASSERT_EQ(writegan(0), SaveResult::Saved);
    EXPECT_EQ(hex(ScratchDir::Read(sganfile)), kDefaultRecord);
    EXPECT_STREQ(sganfiletitle, "saved.gan");
}

TEST_F(ParameterFile, EveryFieldIsWrittenToItsOwnPlace) {
    type = 2;
    p[2] = PARAM{0.2, 0.3, 0.4, 1.5, -2.25, 0.5, 0.25};
    rot[2] = VOXEL{10.0, 20.0, 30.0};
    back = 0x00112233;
    red = 1;
    green = 2;
    blue = 3;
    ASSERT_EQ(writegan(0), SaveResult::Saved);
    EXPECT_EQ(hex(ScratchDir::Read(sganfile)), kBetaRecord);
}

TEST_F(ParameterFile, BesideAnImageTheLastThreeCharactersBecomeGan) {
    std::strcpy(tgafile, (scratch / "moon.tga").c_str());
    ASSERT_EQ(writegan(1), SaveResult::Saved);
    EXPECT_EQ(std::string(sganfile), scratch / "moon.gan");
    EXPECT_STREQ(sganfiletitle, "moon.gan");
    EXPECT_EQ(ScratchDir::Read(scratch / "moon.gan").size(), 100u);

    std::strcpy(tgafile, (scratch / "pic.targa").c_str());
    ASSERT_EQ(writegan(1), SaveResult::Saved);
    EXPECT_STREQ(sganfiletitle, "pic.tagan");
}

TEST_F(ParameterFile, AnImageNameShorterThanThreeCharactersIsRefused) {
    std::strcpy(tgafile, "ab");
    EXPECT_EQ(writegan(1), SaveResult::OpenError);
    EXPECT_EQ(std::string(sganfile), scratch / "saved.gan");
    EXPECT_STREQ(sganfiletitle, "");
}

TEST_F(ParameterFile, LoadingABetaFileChangesOnlyBetaAndTheBackground) {
    scratch.Write("load.gan", unhex(kBetaRecord));
    mm[2] = MINMAX{-1.0, 1.0, -1.0, 1.0};
    method[2] = 1;
    rotationorder = 3;
    res = 800;
    ASSERT_EQ(loadgan(), 0);
    EXPECT_EQ(type, 2);
    EXPECT_TRUE(sameBits(p[2], PARAM{0.2, 0.3, 0.4, 1.5, -2.25, 0.5, 0.25}));
    EXPECT_EQ(rot[2].x, 10.0);
    EXPECT_EQ(rot[2].y, 20.0);
    EXPECT_EQ(rot[2].z, 30.0);
    EXPECT_EQ(back, 0x00112233u) << "taken as stored";
    EXPECT_EQ(red, 1);
    EXPECT_EQ(green, 2);
    EXPECT_EQ(blue, 3);
    EXPECT_EQ(mm[2].xmin, -1.0);
    EXPECT_EQ(method[2], 1);
    EXPECT_EQ(rotationorder, 3);
    EXPECT_EQ(res, 800);
    for (int k : {0, 1, 3}) {
        EXPECT_TRUE(sameBits(p[k], pdef[k]));
        EXPECT_EQ(rot[k].x, 0.0);
    }
}

TEST_F(ParameterFile, ReadingARecordGivesItsFieldsAndLeavesTheStateAlone) {
    scratch.Write("beta.gan", unhex(kBetaRecord));
    const std::optional<GAN> read = ReadGan(scratch / "beta.gan");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->type, 2);
    EXPECT_EQ((std::array{read->a, read->b, read->c, read->d, read->xstart, read->ystart,
                          read->zstart, read->xrot, read->yrot, read->zrot}),
              (std::array{1.5, -2.25, 0.5, 0.25, 0.2, 0.3, 0.4, 10.0, 20.0, 30.0}));
    EXPECT_EQ((std::array{read->back, std::uint32_t(read->red), std::uint32_t(read->green),
                          std::uint32_t(read->blue)}),
              (std::array<std::uint32_t, 4>{0x00112233u, 1, 2, 3}));
    EXPECT_EQ(type, 0);
    EXPECT_TRUE(sameBits(p[2], pdef[2]));
    scratch.Write("short.gan", unhex(kBetaRecord).substr(0, 99));
    EXPECT_FALSE(ReadGan(scratch / "short.gan"));
}

TEST_F(ParameterFile, WhatIsSavedLoadsBackExactly) {
    type = 3;
    p[3] = PARAM{0.11, 0.22, 0.33, -0.123456789012345, 2.5, 1.0 / 3.0, -1.75};
    rot[3] = VOXEL{1.5, 359.25, 0.125};
    back = 0x00010203;
    red = 3;
    green = 2;
    blue = 1;
    ASSERT_EQ(writegan(0), SaveResult::Saved);
    const PARAM saved = p[3];
    ResetRenderState();
    std::strcpy(oganfile, sganfile);
    ASSERT_EQ(loadgan(), 0);
    EXPECT_EQ(type, 3);
    EXPECT_TRUE(sameBits(p[3], saved));
    EXPECT_EQ(rot[3].y, 359.25);
    EXPECT_EQ(back, 0x00010203u);
}

TEST_F(ParameterFile, AShortRecordOrAnUnknownTypeIsRefusedAndChangesNothing) {
    const std::string good = unhex(kBetaRecord);
    std::string unknown = good;
    unknown[0] = 4;
    std::string negative = good;
    negative[0] = negative[1] = negative[2] = negative[3] = static_cast<char>(0xFF);
    for (const std::string& bytes : {good.substr(0, 99), good.substr(0, 0), unknown, negative}) {
        scratch.Write("load.gan", bytes);
        gan = GAN{};
        EXPECT_EQ(loadgan(), 1) << bytes.size() << " bytes";
        EXPECT_EQ(type, 0);
        EXPECT_TRUE(sameBits(p[0], pdef[0]));
        EXPECT_TRUE(sameBits(p[2], pdef[2]));
        EXPECT_EQ(back, 0x00E6F5FFu);
        EXPECT_EQ(gan.type, 0) << "the record buffer keeps the last good record";
    }
}

TEST_F(ParameterFile, OnlyTheFirstHundredBytesOfALongerFileAreRead) {
    scratch.Write("load.gan", unhex(kBetaRecord) + "trailing bytes");
    EXPECT_EQ(loadgan(), 0);
    EXPECT_EQ(type, 2);
}

TEST_F(ParameterFile, AMissingFileADirectoryOrANamedPipeCannotBeLoaded) {
    EXPECT_EQ(loadgan(), 1);
    std::strcpy(oganfile, scratch.path().c_str());
    EXPECT_EQ(loadgan(), 1);
    // Nothing will ever be written into the pipe: a load that waits for it
    // is ended by the alarm.
    std::strcpy(oganfile, (scratch / "pipe.gan").c_str());
    ASSERT_EQ(::mkfifo(oganfile, 0644), 0);
    ::alarm(10);
    EXPECT_EQ(loadgan(), 1);
    ::alarm(0);
    EXPECT_EQ(type, 0);
}

TEST_F(ParameterFile, AFailedSaveKeepsTheOldFileAndItsTitle) {
    scratch.Write("saved.gan", "an older parameter file");
    std::strcpy(sganfile, (scratch / "missing/p.gan").c_str());
    EXPECT_EQ(writegan(0), SaveResult::OpenError) << "missing directory";
    std::strcpy(sganfile, (ReadOnlyDirectory(scratch) + "/p.gan").c_str());
    EXPECT_EQ(writegan(0), SaveResult::OpenError) << "read-only directory";
    std::strcpy(sganfile, kFullDisk);
    EXPECT_EQ(writegan(0), SaveResult::WriteError) << "the record fits the stream's buffer";
    EXPECT_STREQ(sganfiletitle, "") << "the title changes only on success";

    std::strcpy(sganfile, (scratch / "saved.gan").c_str());
    const int status = InChild([] {
        LimitFileSize(50);
        return writegan(0) == SaveResult::WriteError ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::filesystem::remove(scratch / "locked");
    EXPECT_EQ(ScratchDir::Read(sganfile), "an older parameter file");
    EXPECT_EQ(NamesIn(scratch.path()), std::set<std::string>{"saved.gan"});
}

} // namespace
} // namespace orv::test
