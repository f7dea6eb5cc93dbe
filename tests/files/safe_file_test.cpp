#include "child_process.h"
#include "scratch_dir.h"

#include "files/safe_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

namespace orv::test {
namespace {

namespace fs = std::filesystem;

class SafeSave : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch.Write("pic.tga", kOld);
        ::chmod(target.c_str(), 0640);
    }

    // The old file is byte for byte as it was and nothing else is there.
    void ExpectUntouched() const {
        EXPECT_EQ(ScratchDir::Read(target), kOld);
        EXPECT_EQ(NamesIn(scratch.path()), std::set<std::string>{"pic.tga"});
    }

    static constexpr const char* kOld = "the good old picture";
    ScratchDir scratch;
    const std::string target = scratch / "pic.tga";
};

TEST_F(SafeSave, ACommittedSaveReplacesTheBytesAndKeepsThePermissions) {
    SafeFile file;
    ASSERT_EQ(file.Open(target), SaveResult::Saved);
    EXPECT_EQ(ScratchDir::Read(target), kOld) << "nothing changes before the commit";
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_EQ(file.Commit(), SaveResult::Saved);
    EXPECT_EQ(ScratchDir::Read(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_EQ(NamesIn(scratch.path()), std::set<std::string>{"pic.tga"});

    const mode_t saved = ::umask(022);
    SafeFile fresh;
    ASSERT_EQ(fresh.Open(scratch / "new.gan"), SaveResult::Saved);
    ASSERT_EQ(fresh.Commit(), SaveResult::Saved);
    ::umask(saved);
    EXPECT_EQ(fs::status(scratch / "new.gan").permissions(), fs::perms(0644));
}

TEST_F(SafeSave, ALinkKeepsPointingAtItsTargetWhichIsReplaced) {
    fs::create_directory(scratch / "real");
    scratch.Write("real/pic.tga", kOld);
    fs::create_symlink("real/pic.tga", scratch / "link.tga");
    SafeFile file;
    ASSERT_EQ(file.Open(scratch / "link.tga"), SaveResult::Saved);
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_EQ(file.Commit(), SaveResult::Saved);
    EXPECT_TRUE(fs::is_symlink(scratch / "link.tga"));
    EXPECT_EQ(ScratchDir::Read(scratch / "real/pic.tga"), "new");
    EXPECT_EQ(NamesIn(scratch / "real"), std::set<std::string>{"pic.tga"});
}

TEST_F(SafeSave, AnAbandonedSaveLeavesTheOldFile) {
    {
        SafeFile file;
        ASSERT_EQ(file.Open(target), SaveResult::Saved);
        file.Write("half a pic", 10);
    }
    ExpectUntouched();
}

TEST_F(SafeSave, ADirectoryOrAMissingFolderCannotBeSavedTo) {
    SafeFile file;
    EXPECT_EQ(file.Open(scratch.path()), SaveResult::OpenError);
    EXPECT_EQ(file.error(), EISDIR);
    EXPECT_EQ(file.Open(scratch / "missing/pic.tga"), SaveResult::OpenError);
    EXPECT_EQ(file.error(), ENOENT);
    EXPECT_EQ(file.Commit(), SaveResult::WriteError);
    ExpectUntouched();
}

TEST_F(SafeSave, AFileSizeLimitFailsTheWriteWithoutEndingTheProcess) {
    const int status = InChild([&] {
        LimitFileSize(1000);
        SafeFile file;
        if (file.Open(target) != SaveResult::Saved) {
            return 10;
        }
        const std::string big(5000, 'x');
        file.Write(big.data(), big.size());
        return file.Commit() == SaveResult::WriteError && file.error() == EFBIG ? 0 : 11;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ExpectUntouched();
}

TEST_F(SafeSave, ASignalInTheMiddleRemovesTheTemporaryAndEndsTheProcess) {
    for (int signal : {SIGINT, SIGTERM}) {
        const int status = InChild([&] {
            SafeFile file;
            file.Open(target);
            const std::string part(100000, 'x');
            file.Write(part.data(), part.size());
            std::raise(signal);
            return 0;
        });
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signal);
        ExpectUntouched();
    }
}

TEST_F(SafeSave, TwoFilesAreCommittedOnlyWhenBothAreComplete) {
    scratch.Write("pic.gan", "old parameters");
    {
        SafeFile image;
        SafeFile parameters;
        ASSERT_EQ(image.Open(target), SaveResult::Saved);
        ASSERT_EQ(parameters.Open("/dev/full"), SaveResult::Saved);
        image.Write("new", 3);
        parameters.Write("new", 3);
        const SafeFile* failed = nullptr;
        EXPECT_EQ(CommitBoth(image, parameters, &failed), SaveResult::WriteError);
        EXPECT_EQ(failed, &parameters);
        EXPECT_EQ(parameters.error(), ENOSPC);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full")) << "a device is written in place";
    EXPECT_EQ(ScratchDir::Read(target), kOld);

    SafeFile image;
    SafeFile parameters;
    ASSERT_EQ(image.Open(target), SaveResult::Saved);
    ASSERT_EQ(parameters.Open(scratch / "pic.gan"), SaveResult::Saved);
    image.Write("new image", 9);
    parameters.Write("new parameters", 14);
    EXPECT_EQ(CommitBoth(image, parameters), SaveResult::Saved);
    EXPECT_EQ(ScratchDir::Read(target), "new image");
    EXPECT_EQ(ScratchDir::Read(scratch / "pic.gan"), "new parameters");
    EXPECT_EQ(NamesIn(scratch.path()), (std::set<std::string>{"pic.gan", "pic.tga"}));
}

// The id of a process that has ended and been reaped.
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(SafeSave, TheFirstSaveIntoAFolderRemovesOnlyTheTemporariesOfEndedProcesses) {
    const std::string ended = std::to_string(EndedProcess());
    const std::string own = std::to_string(::getpid());
    const std::set<std::string> kept = {".pic.tga.orvantis-" + own +
                                            "-0-17.tmp",                   // a save of this process
                                        ".pic.tga.orvantis-1-0-17.tmp",    // of a running one
                                        ".pic.tga." + ended + "-0-17.tmp", // not of our making
                                        ".pic.tga.orvantis-" + ended + "-x-17.tmp",   // nor this
                                        "pic.tga.orvantis-" + ended + "-0-17.tmp",    // nor this
                                        ".pic.tga.orvantis-" + ended + "-0-17.tmp.1", // nor this
                                        "pic.tga"};
    for (const std::string& name : kept) {
        scratch.Write(name, "x");
    }
    scratch.Write(".pic.tga.orvantis-" + ended + "-0-17.tmp", "left by kill -9");
    scratch.Write(".a.gan.orvantis-" + ended + "-12-5.tmp", "left by kill -9");

    SafeFile file;
    ASSERT_EQ(file.Open(target), SaveResult::Saved);
    std::set<std::string> names = NamesIn(scratch.path());
    std::erase_if(names, [&](const std::string& name) { return kept.contains(name); });
    ASSERT_EQ(names.size(), 1u) << "only the new temporary is added";
    EXPECT_EQ(names.begin()->rfind(".pic.tga.orvantis-" + own + "-", 0), 0u) << *names.begin();
    ASSERT_EQ(file.Commit(), SaveResult::Saved);
    EXPECT_EQ(NamesIn(scratch.path()), kept);
}

TEST_F(SafeSave, ANamedPipeIsRefusedAtOnceWhereADeviceIsWrittenInPlace) {
    ASSERT_EQ(::mkfifo((scratch / "pipe.tga").c_str(), 0644), 0);
    // A save that waits on the pipe is ended by the alarm and fails.
    const int status = InChild([&] {
        ::alarm(10);
        SafeFile file;
        return file.Open(scratch / "pipe.tga") == SaveResult::OpenError && file.error() == ENXIO
                   ? 0
                   : 1;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    SafeFile device;
    ASSERT_EQ(device.Open("/dev/null"), SaveResult::Saved);
    EXPECT_TRUE(device.Write("new", 3));
    EXPECT_EQ(device.Commit(), SaveResult::Saved);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST(SaveResultText, EachFailureHasTheProgramsMessage) {
    EXPECT_STREQ(SaveErrorText(SaveResult::OpenError), "Error opening a save file.");
    EXPECT_STREQ(SaveErrorText(SaveResult::NoMemory), "Not enough memory to buffer image lines.");
    EXPECT_STREQ(SaveErrorText(SaveResult::WriteError), "Error writing to save file.");
}

} // namespace
} // namespace orv::test
