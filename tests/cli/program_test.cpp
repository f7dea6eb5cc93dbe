// The program itself, started as `orvantis render`, `orvantis poster` or with
// --help on a machine without any display: had it touched the window system,
// Qt would have ended it.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace orv::test {
namespace {

// Runs the program with no display in its environment; the exit code, with
// stdout and stderr left in files of the directory.
int RunProgram(const TempDir& dir, const std::string& args, const std::string& limits = "") {
    const std::string command = limits + "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                std::string(ORV_PROGRAM) + "' " + args + " >'" +
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
    ASSERT_EQ(RunProgram(dir, "render --steps 20000 -o '" + picture + "'"), 0)
        << Text(dir.path("err.txt"));
    EXPECT_EQ(Text(dir.path("out.txt")),
              "Wrote " + picture + " and " + dir.path("headless.gan") + "\n");
    EXPECT_EQ(Text(dir.path("err.txt")), "") << "stderr is no terminal here: no progress bar";
    EXPECT_GT(std::filesystem::file_size(picture), 0u);
    EXPECT_EQ(std::filesystem::file_size(dir.path("headless.gan")), 100u);
}

TEST(RenderProgram, ExitCodesReachTheShell) {
    TempDir dir;
    EXPECT_EQ(RunProgram(dir, "render --nonsense"), 2);
    EXPECT_EQ(RunProgram(dir, "render --view 0,0.01,0,1 -o '" + dir.path("v.tga") + "'"), 2);
    EXPECT_EQ(RunProgram(dir, "render -o '" + dir.path("missing/v.tga") + "'"), 1);
}

TEST(BatchPrograms, AVectorUnitThatIsUnknownIsRefusedWithExit2AndNoFile) {
    TempDir dir;
    const std::string picture = dir.path("p.png");
    EXPECT_EQ(RunProgram(dir, "poster --res 200 --steps 1000 -o '" + picture + "'",
                         "ORVANTIS_ISA=avx1024 "),
              2);
    EXPECT_EQ(Text(dir.path("err.txt")),
              "orvantis poster: ORVANTIS_ISA: 'avx1024' is not scalar, sse2, avx2 or avx512\n");
    EXPECT_FALSE(std::filesystem::exists(picture));
    EXPECT_EQ(RunProgram(dir, "explore --type alpha --count 1 -o '" + dir.path("sets") + "'",
                         "ORVANTIS_ISA=sse3 "),
              2);
    EXPECT_FALSE(std::filesystem::exists(dir.path("sets")));
    // render steps as the desktop program does, on no vector unit.
    EXPECT_EQ(RunProgram(dir, "render --steps 1000 --quiet -o '" + dir.path("r.png") + "'",
                         "ORVANTIS_ISA=avx1024 "),
              0);
}

TEST(RenderProgram, HelpAndVersionPrintWithoutAWindow) {
    TempDir dir;
    EXPECT_EQ(RunProgram(dir, "--version"), 0);
    EXPECT_EQ(Text(dir.path("out.txt")), "orvantis 1.0.0\n");
    EXPECT_EQ(RunProgram(dir, "--help"), 0);
    EXPECT_EQ(Text(dir.path("out.txt")).rfind("Usage: orvantis [FILE.gan]\n", 0), 0u);
    EXPECT_EQ(Text(dir.path("err.txt")), "");
}

TEST(PosterProgram, CtrlCWhileSavingLeavesNoPictureUnderTheName) {
    TempDir dir;
    const std::string picture = dir.path("large.png");
    const std::filesystem::path folder = std::filesystem::path(picture).parent_path();
    // Few steps on a large picture: most of the time goes to writing it.
    const pid_t child = fork();
    if (child == 0) {
        execl(ORV_PROGRAM, "orvantis", "poster", "--res", "10000", "--method", "hit-count",
              "--steps", "100000", "--quiet", "-o", picture.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // The signal comes as soon as the file being written shows in the folder.
    int status = 0;
    bool interrupted = false;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (!std::filesystem::is_empty(folder)) {
            kill(child, SIGINT);
            waitpid(child, &status, 0);
            interrupted = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(interrupted) << "the poster was written before it could be interrupted";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "neither the picture nor a temporary is left";
}

TEST(RenderProgram, MemoryRunningOutAtStartIsAMessageAndExitCode1) {
    if (ORV_SANITIZED) {
        GTEST_SKIP() << "the sanitizers reserve more address space than any limit leaves";
    }
    TempDir dir;
    int failures = 0;
    // From too little to load the libraries (127) to enough to render (0), in
    // steps finer than the narrow band between the two.
    for (int megabytes = 60; megabytes <= 140; megabytes += 2) {
        const std::string limit = "ulimit -v " + std::to_string(megabytes * 1024) + "; ";
        const int code =
            RunProgram(dir, "render --steps 1000 -o '" + dir.path("m.tga") + "'", limit);
        SCOPED_TRACE(std::to_string(megabytes) + " MB");
        if (code != 0 && code != 1 && code != 127) {
            // A shared library's own start-up may run out before main is
            // reached; then even printing the version fails at this limit.
            EXPECT_NE(RunProgram(dir, "--version", limit), 0)
                << "exit " << code << " after the program had started";
            continue;
        }
        if (code == 1) {
            // Start-up's message, or the engine's own for its buffers.
            const std::string err = Text(dir.path("err.txt"));
            EXPECT_TRUE(err.find("memory") != std::string::npos ||
                        err.find("Couldn't create main window.") != std::string::npos)
                << err;
            ++failures;
        }
    }
    EXPECT_GT(failures, 0) << "no limit made memory run out";
}

TEST(BatchPrograms, MemoryOrThreadsRunningOutEndWithAMessageOrTheSameFileNeverAnAbort) {
    if (ORV_SANITIZED) {
        GTEST_SKIP() << "the sanitizers reserve more address space than any limit leaves";
    }
    TempDir dir;
    // Eight threads' stacks are more than the tighter limits leave room for.
    const std::string explore =
        "explore --type alpha --count 2 --res 200 --steps 30000 --threads 8 --quiet -o ";
    ASSERT_EQ(RunProgram(dir, explore + dir.path("sets")), 0);
    const std::string animate = "animate --gan " + dir.path("sets/set-0001.gan") +
                                " --turn y --frames 2 --res 200 --steps 30000 --threads 8 "
                                "--quiet -o ";
    ASSERT_EQ(RunProgram(dir, animate + dir.path("frames")), 0);
    const std::string poster = "poster --res 200 --steps 30000 --orbits 8 --threads 8 --quiet -o ";
    ASSERT_EQ(RunProgram(dir, poster + dir.path("frames/poster.png")), 0);
    const std::vector<std::pair<std::string, std::string>> runs = {
        {explore, "sets/set-0002.png"},
        {animate, "frames/frame-0002.png"},
        {poster, "frames/poster.png"}};
    int finished = 0;
    int refused = 0;
    for (int megabytes = 80; megabytes <= 120; megabytes += 2) {
        const std::string limit = "ulimit -v " + std::to_string(megabytes * 1024) + "; ";
        // Under the tightest limits the shared libraries cannot be loaded or
        // set up before main: no command of the program can run there.
        if (RunProgram(dir, "--version", limit) != 0) {
            continue;
        }
        for (const auto& [command, picture] : runs) {
            SCOPED_TRACE(command + " under " + std::to_string(megabytes) + " MB");
            std::filesystem::remove_all(dir.path("limited"));
            const bool toFile = command == poster;
            if (toFile) {
                std::filesystem::create_directory(dir.path("limited"));
            }
            const int code = RunProgram(
                dir, command + dir.path(toFile ? "limited/poster.png" : "limited"), limit);
            if (code == 0) {
                const std::string name = picture.substr(picture.find('/'));
                EXPECT_EQ(Text(dir.path("limited") + name), Text(dir.path(picture)));
                ++finished;
            } else {
                EXPECT_EQ(code, 1);
                EXPECT_NE(Text(dir.path("err.txt")).find("orvantis "), std::string::npos);
                ++refused;
            }
        }
    }
    EXPECT_GT(finished, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace orv::test
