// The program itself, started as `orvantis render` on a machine without any
// display: had it touched the window system, Qt would have ended it.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace orv::test {
namespace {

// Runs the program with no display in its environment; the exit code, with
// stdout and stderr left in files of the directory.
int RunProgram(const TempDir& dir, const std::string& args, const std::string& limits = "") {
    const std::string command = limits + "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                std::string(ORV_PROGRAM) + "' render " + args + " >'" +
                                dir.path("out.txt") + "' 2>'" + dir.path("err.txt") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Text(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RenderProgram, RendersWithoutAnyDisplay) {
    TempDir dir;
    const std::string picture = dir.path("headless.png");
    ASSERT_EQ(RunProgram(dir, "--steps 20000 -o '" + picture + "'"), 0)
        << Text(dir.path("err.txt"));
    EXPECT_EQ(Text(dir.path("out.txt")),
              "Wrote " + picture + " and " + dir.path("headless.gan") + "\n");
    EXPECT_EQ(Text(dir.path("err.txt")), "") << "stderr is no terminal here: no progress bar";
    EXPECT_GT(std::filesystem::file_size(picture), 0u);
    EXPECT_EQ(std::filesystem::file_size(dir.path("headless.gan")), 100u);
}

TEST(RenderProgram, ExitCodesReachTheShell) {
    TempDir dir;
    EXPECT_EQ(RunProgram(dir, "--nonsense"), 2);
    EXPECT_EQ(RunProgram(dir, "--view 0,0.01,0,1 -o '" + dir.path("v.tga") + "'"), 2);
    EXPECT_EQ(RunProgram(dir, "-o '" + dir.path("missing/v.tga") + "'"), 1);
}

TEST(RenderProgram, MemoryRunningOutAtStartIsAMessageAndExitCode1) {
    if (ORV_SANITIZED) {
        GTEST_SKIP() << "the sanitizers reserve more address space than any limit leaves";
    }
    TempDir dir;
    int failures = 0;
    // From too little to load the libraries (127) to enough to render (0).
    for (int megabytes = 40; megabytes <= 160; megabytes += 10) {
        const std::string limit = "ulimit -v " + std::to_string(megabytes * 1024) + "; ";
        const int code = RunProgram(dir, "--steps 1000 -o '" + dir.path("m.tga") + "'", limit);
        SCOPED_TRACE(std::to_string(megabytes) + " MB");
        ASSERT_TRUE(code == 0 || code == 1 || code == 127) << code;
        if (code == 1) {
            // Start-up's message, or the engine's own for its buffers.
            EXPECT_NE(Text(dir.path("err.txt")).find("memory"), std::string::npos);
            ++failures;
        }
    }
    EXPECT_GT(failures, 0) << "no limit made memory run out";
}

} // namespace
} // namespace orv::test
