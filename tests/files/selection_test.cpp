#include "engine_fixture.h"
#include "scratch_dir.h"

#include "files/selection.h"
#include "platform/commdlg.h"

#include <unistd.h>

#include <cstring>
#include <string>

namespace orv::test {
namespace {

class FileSelection : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(scratch.path());
        InitOpenFile();
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        EngineTest::TearDown();
    }

    ScratchDir scratch;

  private:
    std::filesystem::path previous_;
};

TEST_F(FileSelection, StartsInTheWorkingDirectoryWithThePatterns) {
    EXPECT_EQ(std::string(tgafile), scratch / "*.tga");
    EXPECT_EQ(std::string(oganfile), scratch / "*.gan");
    EXPECT_EQ(std::string(sganfile), scratch / "*.gan");
    EXPECT_STREQ(file, "") << "the palette selection proposes no name";
}

TEST_F(FileSelection, TheFourRecordsCarryTheirFiltersTitlesFlagsAndExtensions) {
    struct Expected {
        const OPENFILENAMEA* record;
        const char* filter;
        std::size_t filterBytes;
        const char* title;
        DWORD flags;
        const char* extension;
        char* path;
        char* name;
    };
    const char mapFilter[] = "Fractint .map files (*.map)\0*.map\0";
    const char tgaFilter[] = "Targa files (*.tga)\0*.tga\0";
    const char ganFilter[] = "GAN files (*.gan)\0*.gan\0";
    const Expected all[] = {
        {&ofn, mapFilter, sizeof mapFilter, "Select a Fractint .MAP File", 0x81804, "map", file,
         filetitle},
        {&stgan, tgaFilter, sizeof tgaFilter, "Select a file for saving your image:", 0x80806,
         "tga", tgafile, tgafiletitle},
        {&ogann, ganFilter, sizeof ganFilter, "Select a GAN parameter file:", 0x81804, "gan",
         oganfile, oganfiletitle},
        {&sgann, ganFilter, sizeof ganFilter, "Select a file for saving parameters:", 0x80806,
         "gan", sganfile, sganfiletitle},
    };
    for (const Expected& e : all) {
        const OPENFILENAMEA& r = *e.record;
        SCOPED_TRACE(e.title);
        EXPECT_EQ(r.lStructSize, 76u);
        EXPECT_EQ(r.hwndOwner, nullptr);
        EXPECT_EQ(std::memcmp(r.lpstrFilter, e.filter, e.filterBytes), 0)
            << "description, pattern, and a final zero byte";
        EXPECT_EQ(r.nFilterIndex, 1u);
        EXPECT_STREQ(r.lpstrTitle, e.title);
        EXPECT_EQ(r.Flags, e.flags);
        EXPECT_STREQ(r.lpstrDefExt, e.extension);
        EXPECT_EQ(r.lpstrFile, e.path);
        EXPECT_EQ(r.nMaxFile, 260u);
        EXPECT_EQ(r.lpstrFileTitle, e.name);
        EXPECT_EQ(r.nMaxFileTitle, 260u);
        EXPECT_EQ(r.lpstrInitialDir, nullptr);
        EXPECT_EQ(r.nFileOffset, 0);
        EXPECT_EQ(r.nFileExtension, 0);
    }
}

TEST_F(FileSelection, ATypedNameWithoutExtensionGetsTheDefaultOne) {
    backend.fileAnswers = {"moon"};
    ASSERT_TRUE(GetSaveFileNameA(&stgan));
    EXPECT_EQ(std::string(tgafile), scratch / "moon.tga");
    EXPECT_STREQ(tgafiletitle, "moon.tga");
    ASSERT_EQ(backend.fileSelections.size(), 1u);
    const FileSelectionCall& call = backend.fileSelections[0];
    EXPECT_TRUE(call.save);
    EXPECT_EQ(call.title, "Select a file for saving your image:");
    EXPECT_EQ(call.filter, "Targa files (*.tga)");
    EXPECT_EQ(call.pattern, "*.tga");
    EXPECT_EQ(call.initialPath, scratch / "*.tga");
    EXPECT_TRUE(call.chosen);
}

TEST_F(FileSelection, CancellingChangesNoBuffer) {
    backend.fileAnswers = {""};
    EXPECT_FALSE(GetOpenFileNameA(&ogann));
    EXPECT_FALSE(GetSaveFileNameA(&sgann)) << "no answer left also cancels";
    EXPECT_EQ(std::string(oganfile), scratch / "*.gan");
    EXPECT_EQ(std::string(sganfile), scratch / "*.gan");
    EXPECT_STREQ(oganfiletitle, "");
}

TEST_F(FileSelection, OpeningAMissingFileIsRefusedUntilAnExistingOneIsTyped) {
    scratch.Write("there.gan", "x");
    backend.fileAnswers = {"missing", "there"};
    ASSERT_TRUE(GetOpenFileNameA(&ogann));
    EXPECT_EQ(std::string(oganfile), scratch / "there.gan");
    EXPECT_STREQ(oganfiletitle, "there.gan");
    const FileSelectionCall& call = backend.fileSelections[0];
    EXPECT_EQ(call.refused, (std::vector<std::string>{scratch / "missing.gan"}));
    EXPECT_FALSE(call.save);
}

TEST_F(FileSelection, SavingOverAFileAsksAndNoReturnsToTheNameBox) {
    scratch.Write("old.gan", "x");
    backend.fileAnswers = {"old", "old"};
    backend.overwriteAnswers = {false, true};
    ASSERT_TRUE(GetSaveFileNameA(&sgann));
    EXPECT_EQ(std::string(sganfile), scratch / "old.gan");
    const FileSelectionCall& call = backend.fileSelections[0];
    EXPECT_EQ(call.overwriteQuestions.size(), 2u);
}

TEST_F(FileSelection, SavingIntoAMissingDirectoryIsRefused) {
    backend.fileAnswers = {"nowhere/pic", "pic"};
    ASSERT_TRUE(GetSaveFileNameA(&stgan));
    EXPECT_EQ(backend.fileSelections[0].refused,
              (std::vector<std::string>{scratch / "nowhere/pic.tga"}));
    EXPECT_EQ(std::string(tgafile), scratch / "pic.tga");
}

TEST_F(FileSelection, TheNextSelectionOfTheSameKindStartsAtTheLastChoice) {
    std::filesystem::create_directory(scratch / "sub");
    backend.fileAnswers = {"sub", "first", "second"};
    ASSERT_TRUE(GetSaveFileNameA(&sgann)) << "typing a directory opens it";
    EXPECT_EQ(std::string(sganfile), scratch / "sub/first.gan");
    ASSERT_TRUE(GetSaveFileNameA(&sgann));
    EXPECT_EQ(backend.fileSelections[1].initialPath, scratch / "sub/first.gan");
    EXPECT_EQ(std::string(sganfile), scratch / "sub/second.gan");
    EXPECT_EQ(std::string(oganfile), scratch / "*.gan") << "the other selections keep theirs";
}

TEST_F(FileSelection, APatternChangesTheListingAndAnAbsoluteNameIsTakenAsItStands) {
    scratch.Write("Warm.MAP", "0 0 0\n");
    backend.fileAnswers = {"*.MAP", scratch / "Warm.MAP"};
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(backend.fileSelections[0].pattern, "*.MAP");
    EXPECT_EQ(std::string(file), scratch / "Warm.MAP");
    EXPECT_STREQ(filetitle, "Warm.MAP");
}

TEST_F(FileSelection, ANameTooLongForThePathBufferIsRefused) {
    backend.fileAnswers = {std::string(300, 'n'), "short"};
    ASSERT_TRUE(GetSaveFileNameA(&stgan));
    EXPECT_EQ(backend.fileSelections[0].refused.size(), 1u);
    EXPECT_EQ(std::string(tgafile), scratch / "short.tga");
}

} // namespace
} // namespace orv::test
