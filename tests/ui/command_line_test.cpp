#include "program_fixture.h"

#include "files/gan.h"
#include "files/selection.h"
#include "render/state.h"
#include "scratch_dir.h"
#include "ui/state.h"

#include <cstring>
#include <string>

namespace orv::test {
namespace {

class CommandLine : public ProgramTest {
  protected:
    // A parameter file for Beta with a = 1.25, written as the program
    // writes one.
    std::string SavedFile(const std::string& name) {
        const std::string path = scratch / name;
        type = 2;
        p[2].a = 1.25;
        std::strcpy(sganfile, path.c_str());
        EXPECT_EQ(writegan(0), SaveResult::Saved);
        ResetRenderState();
        return path;
    }

    void StartWith(const std::string& args) {
        std::strcpy(ogantemp, args.c_str());
        Start();
    }

    ScratchDir scratch;
};

TEST_F(CommandLine, AQuotedPathIsLoadedAndStandsInTheLoadSelection) {
    const std::string path = SavedFile("my attractor.gan");
    StartWith("\"" + path + "\"");
    EXPECT_EQ(type, 2);
    EXPECT_EQ(p[2].a, 1.25);
    EXPECT_EQ(std::string(oganfile), path);
    EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(CommandLine, AnUnquotedPathLosesItsEndsAndTheDefaultsStaySilently) {
    const std::string path = SavedFile("a.gan");
    StartWith(path);
    EXPECT_EQ(std::string(oganfile), path.substr(1, path.size() - 2));
    EXPECT_EQ(type, 0);
    EXPECT_EQ(p[2].a, pdef[2].a);
    EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(CommandLine, OneOrTwoCharactersNameNoFile) {
    StartWith("\"\"");
    EXPECT_STREQ(oganfile, "");
    EXPECT_EQ(type, 0);
    TearDown();
    SetUp();
    StartWith("x");
    EXPECT_STREQ(oganfile, "");
}

} // namespace
} // namespace orv::test
