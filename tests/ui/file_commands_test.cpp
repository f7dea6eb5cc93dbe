#include "child_process.h"
#include "paused_program.h"
#include "scratch_dir.h"

#include "files/gan.h"
#include "files/selection.h"
#include "platform/backend.h"
#include "platform/headless.h"
#include "platform/kernel.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace orv::test {
namespace {

constexpr std::uintmax_t kTargaBytes = 18 + 3 * 600 * 600 + 26;

class FileCommands : public PausedProgram {
  protected:
    void TearDown() override {
        SetLocalAllocFailure({});
        PausedProgram::TearDown();
    }

    void ExpectReport(std::size_t i, const std::string& text) const {
        ASSERT_GT(backend.messageBoxes.size(), i);
        const MessageBoxCall& box = backend.messageBoxes[i];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "WJ Orvantis");
        EXPECT_EQ(box.type, MB_ICONINFORMATION);
        EXPECT_EQ(box.owner, nullptr);
    }

    void ExpectError(std::size_t i, const std::string& text, const std::string& caption) const {
        ASSERT_GT(backend.messageBoxes.size(), i);
        const MessageBoxCall& box = backend.messageBoxes[i];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.type, MB_ICONEXCLAMATION);
        EXPECT_EQ(box.owner, g_hWnd);
    }

    ScratchDir scratch;
};

TEST_F(FileCommands, ASavedImageIsReportedAndThenItsParameterFile) {
    backend.fileAnswers.push_back(scratch / "moon");
    Command(kSaveImage);
    ASSERT_EQ(backend.fileSelections.size(), 1u);
    EXPECT_EQ(backend.fileSelections[0].title, "Select a file for saving your image:");
    EXPECT_EQ(std::filesystem::file_size(scratch / "moon.tga"), kTargaBytes);
    EXPECT_EQ(std::filesystem::file_size(scratch / "moon.gan"), 100u);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    ExpectReport(0, "Image saved as moon.tga");
    ExpectReport(1,
                 "Parameters saved as moon.gan\n\nLoad via ' File ' menu or by double-clicking.");
}

// Records, in order, the cursor changes, the main window's enabling and
// disabling, and the message boxes.
class SequenceBackend : public HeadlessBackend {
  public:
    void cursorChanged(HCURSOR cursor) override {
        events.push_back(cursor == hourglass ? "hourglass" : cursor == cross ? "cross" : "other");
        HeadlessBackend::cursorChanged(cursor);
    }
    void windowEnabled(HWND hwnd, bool enabled) override {
        if (hwnd == g_hWnd) {
            events.push_back(enabled ? "enabled" : "disabled");
        }
    }
    int messageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT type) override {
        events.push_back("box: " + caption);
        return HeadlessBackend::messageBox(owner, text, caption, type);
    }

    std::vector<std::string> events;
};

TEST_F(FileCommands, TheImageIsWrittenWithTheWindowDisabledUnderTheHourglass) {
    SequenceBackend sequence;
    InstallBackend(&sequence);
    SetCursor(cross);
    sequence.events.clear();
    sequence.fileAnswers.push_back(scratch / "moon");
    Command(kSaveImage);
    EXPECT_EQ(sequence.events,
              (std::vector<std::string>{"hourglass", "disabled", "enabled", "cross",
                                        "box: WJ Orvantis", "box: WJ Orvantis"}));

    // Without memory for a row no file is started: the error alone.
    sequence.events.clear();
    SetLocalAllocFailure([](std::size_t, int) { return true; });
    sequence.fileAnswers.push_back(scratch / "moon");
    Command(kSaveImage);
    InstallBackend(&backend);
    EXPECT_EQ(sequence.events, (std::vector<std::string>{"box: Save file error"}));
}

// A save that fails shows one error and leaves the files it was to replace
// as they were.
TEST_F(FileCommands, AFailedImageShowsOneErrorAndKeepsTheOldFiles) {
    scratch.Write("moon.tga", "old image");
    scratch.Write("moon.gan", "old parameters");
    SetLocalAllocFailure([](std::size_t, int) { return true; });
    backend.fileAnswers.push_back(scratch / "moon");
    Command(kSaveImage);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    ExpectError(0, "Not enough memory to buffer image lines.", "Save file error");
    SetLocalAllocFailure({});

    const int status = InChild([&] {
        LimitFileSize(1000);
        backend.messageBoxes.clear();
        backend.fileAnswers.push_back(scratch / "moon");
        Command(kSaveImage);
        ExpectError(0, "Error writing to save file.", "Save file error");
        return backend.messageBoxes.size() == 1 && !HasFailure() ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ScratchDir::Read(scratch / "moon.tga"), "old image");
    EXPECT_EQ(ScratchDir::Read(scratch / "moon.gan"), "old parameters");
    EXPECT_EQ(NamesIn(scratch.path()), (std::set<std::string>{"moon.gan", "moon.tga"}));
}

TEST_F(FileCommands, FailedParametersShowOneErrorAndKeepTheOldFile) {
    scratch.Write("set.gan", "old parameters");
    const int status = InChild([&] {
        LimitFileSize(10);
        backend.fileAnswers.push_back(scratch / "set");
        Command(kSaveParameters);
        ExpectError(0, "Error writing to save file.", "Save file error");
        return backend.messageBoxes.size() == 1 && !HasFailure() ? 0 : 1;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ScratchDir::Read(scratch / "set.gan"), "old parameters");
    EXPECT_EQ(NamesIn(scratch.path()), std::set<std::string>{"set.gan"});
}

TEST_F(FileCommands, AnImageNamedLikeAParameterFileIsNotReplacedByIt) {
    for (const char* name : {"moon.gan", "moon.GaN"}) {
        backend.messageBoxes.clear();
        backend.fileAnswers.push_back(scratch / name);
        Command(kSaveImage);
        EXPECT_EQ(std::filesystem::file_size(scratch / name), kTargaBytes) << name;
        ASSERT_EQ(backend.messageBoxes.size(), 2u);
        ExpectReport(0, std::string("Image saved as ") + name);
        ExpectError(1, "The parameter file was not saved:\nit would have replaced the image.",
                    "Save file error");
    }
}

// The user named only the image: an existing parameter file beside it is
// replaced after a Yes, and kept after Return, which answers No.
TEST_F(FileCommands, AParameterFileBesideTheImageIsReplacedOnlyWhenTheUserSaysSo) {
    scratch.Write("moon.gan", "kept");
    backend.messageBoxAnswers = {IDOK}; // the question is answered with Return
    backend.fileAnswers.push_back(scratch / "moon");
    Command(kSaveImage);
    EXPECT_EQ(std::filesystem::file_size(scratch / "moon.tga"), kTargaBytes);
    EXPECT_EQ(std::filesystem::file_size(scratch / "moon.gan"), 4u);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.messageBoxes[1].text, "moon.gan already exists.\nDo you want to replace it?");
    EXPECT_EQ(backend.messageBoxes[1].type, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    EXPECT_EQ(backend.messageBoxes[1].answer, IDNO);

    backend.messageBoxes.clear();
    backend.messageBoxAnswers = {IDOK, IDYES};
    backend.fileAnswers.push_back(scratch / "moon");
    Command(kSaveImage);
    EXPECT_EQ(std::filesystem::file_size(scratch / "moon.gan"), 100u);
    ASSERT_EQ(backend.messageBoxes.size(), 3u);
    ExpectReport(2,
                 "Parameters saved as moon.gan\n\nLoad via ' File ' menu or by double-clicking.");
}

TEST_F(FileCommands, SavedParametersAreReportedByName) {
    backend.fileAnswers.push_back(scratch / "set");
    Command(kSaveParameters);
    EXPECT_EQ(backend.fileSelections[0].title, "Select a file for saving parameters:");
    EXPECT_EQ(std::filesystem::file_size(scratch / "set.gan"), 100u);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    ExpectReport(0, "Parameters saved as set.gan\n\nLoad via ' File ' menu or by double-clicking.");
}

TEST_F(FileCommands, ALoadedParameterFileIsRenderedAtOnce) {
    type = 2;
    p[2].a = 1.25;
    std::strcpy(sganfile, (scratch / "beta.gan").c_str());
    ASSERT_EQ(writegan(0), SaveResult::Saved);
    type = 0;
    p[2].a = pdef[2].a;

    backend.fileAnswers.push_back(scratch / "beta.gan");
    Command(kLoadParameters);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(p[2].a, 1.25);
    EXPECT_EQ(firstloop, 1);
    EXPECT_TRUE(backend.messageBoxes.empty());
    ASSERT_EQ(QueuedCommand(), kRenderPauseResume);
    HandleNext();
    EXPECT_EQ(okrun, 1);
}

TEST_F(FileCommands, AFileThatIsNoParameterFileIsRefusedAndNothingStarts) {
    scratch.Write("short.gan", "too short");
    backend.fileAnswers.push_back(scratch / "short.gan");
    Command(kLoadParameters);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    ExpectError(0, "Error opening GAN file", "GAN file error");
    EXPECT_EQ(firstloop, 0);
    EXPECT_EQ(QueuedCommand(), 0u);
}

TEST_F(FileCommands, ACancelledSelectionDoesNothing) {
    for (UINT command : {kSaveImage, kSaveParameters, kLoadParameters, kPaletteFile}) {
        Command(command);
    }
    EXPECT_EQ(backend.fileSelections.size(), 4u);
    EXPECT_TRUE(backend.messageBoxes.empty());
    EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
    EXPECT_EQ(QueuedCommand(), 0u);
    EXPECT_EQ(firstloop, 0);
}

} // namespace
} // namespace orv::test
