// The program started by mpirun as a job of several ranks: the files are
// those one process writes, byte for byte, and a rank that fails ends the
// whole job with its reason on stderr.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace orv::test {
namespace {

#ifdef ORV_MPI_PROGRAM

std::string Text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class Job : public ::testing::Test {
  protected:
    // Runs the shell command with stdout and stderr in files of the
    // directory; the exit code. A job that hangs is ended and fails.
    int Shell(const std::string& command) {
        const std::string line = "OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1 "
                                 "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" "
                                 "timeout 120 " +
                                 command + " >'" + dir.path("out.txt") + "' 2>'" +
                                 dir.path("err.txt") + "'";
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The plain program, as a shell starts it.
    int Alone(const std::string& args) {
        return Shell(std::string("'") + ORV_PROGRAM + "' " + args);
    }

    // The MPI program as ranks ranks of one job.
    int OnRanks(int ranks, const std::string& args) {
        return Shell(Mpirun() + " -np " + std::to_string(ranks) + " " + Program() + " " + args);
    }

    static std::string Program() { return std::string("'") + ORV_MPI_PROGRAM + "'"; }
    static std::string Mpirun() {
        return std::string("'") + ORV_MPIEXEC + "' --oversubscribe --bind-to none";
    }

    std::string Err() const { return Text(dir.path("err.txt")); }
    std::string Path(const std::string& name) const { return dir.path(name); }

    TempDir dir;
};

TEST_F(Job, APosterIsTheSameFileFromOneTwoAndThreeRanks) {
    // Seven orbits: the ranks' shares differ. Speed sums values as well as
    // counts; the counts file shows the sums themselves.
    const std::string picture =
        "poster --method speed --res 200 --supersample 2 --orbits 7 --steps 300000 --quiet ";
    ASSERT_EQ(Alone(picture + "--threads 2 -o '" + Path("alone.png") + "' --counts '" +
                    Path("alone.exr") + "'"),
              0)
        << Err();
    const std::string alone = Text(Path("alone.png"));
    const std::string counts = Text(Path("alone.exr"));
    for (int ranks = 1; ranks <= 3; ++ranks) {
        const std::string png = Path(std::to_string(ranks) + ".png");
        const std::string exr = Path(std::to_string(ranks) + ".exr");
        ASSERT_EQ(OnRanks(ranks, picture + "--threads " + std::to_string(ranks) + " -o '" + png +
                                     "' --counts '" + exr + "'"),
                  0)
            << Err();
        EXPECT_EQ(Text(png), alone) << ranks << " ranks";
        EXPECT_EQ(Text(exr), counts) << ranks << " ranks";
        EXPECT_EQ(Text(Path("out.txt")), "") << "--quiet on every rank";
    }
}

TEST_F(Job, ALyapunovMapIsTheSameFileFromOneTwoAndThreeRanks) {
    const std::string map = "render --lmap --type 2 --res 150 --quiet -o ";
    ASSERT_EQ(Alone(map + "'" + Path("alone.png") + "'"), 0) << Err();
    const std::string alone = Text(Path("alone.png"));
    for (int ranks = 1; ranks <= 3; ++ranks) {
        const std::string png = Path(std::to_string(ranks) + ".png");
        ASSERT_EQ(OnRanks(ranks, map + "'" + png + "'"), 0) << Err();
        EXPECT_EQ(Text(png), alone) << ranks << " ranks";
        EXPECT_EQ(Text(Path(std::to_string(ranks) + ".gan")), Text(Path("alone.gan")));
    }
}

TEST_F(Job, ExploreAndAnimateOnRanksWriteTheFilesOfOneProcess) {
    const std::string explore =
        "explore --type alpha --count 3 --seed 5 --res 200 --steps 30000 --orbits 2 --quiet -o ";
    ASSERT_EQ(Alone(explore + "'" + Path("alone") + "'"), 0) << Err();
    ASSERT_EQ(OnRanks(3, explore + "'" + Path("ranks") + "'"), 0) << Err();
    for (const char* name : {"index.html", "set-0001.png", "set-0002.gan", "set-0003.png"}) {
        EXPECT_EQ(Text(Path(std::string("ranks/") + name)),
                  Text(Path(std::string("alone/") + name)))
            << name;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("ranks/part-1")));

    const std::string animate = "animate --gan '" + Path("alone/set-0001.gan") +
                                "' --turn y --frames 5 --res 200 --steps 30000 --quiet ";
    ASSERT_EQ(Alone(animate + "-o '" + Path("turn-alone") + "'"), 0) << Err();
    ASSERT_EQ(OnRanks(2, animate + "-o '" + Path("turn-ranks") + "'"), 0) << Err();
    for (const char* name : {"frame-0001.png", "frame-0002.png", "frame-0005.png"}) {
        EXPECT_EQ(Text(Path(std::string("turn-ranks/") + name)),
                  Text(Path(std::string("turn-alone/") + name)))
            << name;
    }
    EXPECT_EQ(OnRanks(2, animate + "--part 1/2 -o '" + Path("x") + "'"), 2);
    EXPECT_EQ(Err().rfind("orvantis animate: --part and --merge are the ranks' own under "
                          "orvantis-mpi; run them with orvantis\n",
                          0),
              0u)
        << Err();
}

TEST_F(Job, AFileRankZeroCannotWriteFailsTheJobOnce) {
    const std::string missing = Path("missing/p.png");
    EXPECT_EQ(OnRanks(2, "poster --steps 20000 --quiet -o '" + missing + "'"), 1);
    const std::string message = "orvantis poster: Error opening a save file. '" + missing +
                                "': No such file or directory\n";
    ASSERT_NE(Err().find(message), std::string::npos) << Err();
    EXPECT_EQ(Err().find(message), Err().rfind(message)) << "rank 0 alone speaks for the job";
}

TEST_F(Job, ARankWithoutMemoryEndsTheJobWithItsReason) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory needs more address space than the limit";
#else
    // Rank 1 may use 600 MiB of address space, far less than the 2.3 GiB
    // its counts need; rank 0 has them.
    const std::string poster =
        "poster --method speed --res 14000 --steps 1000 --quiet -o '" + Path("p.png") + "'";
    EXPECT_EQ(Shell(Mpirun() + " -np 1 " + Program() + " " + poster + " : -np 1 sh -c 'ulimit -v " +
                    "614400; exec \"$0\" \"$@\"' " + Program() + " " + poster),
              1);
    EXPECT_NE(Err().find("orvantis poster: rank 1 on "), std::string::npos) << Err();
    EXPECT_NE(Err().find(": Not enough memory for the counts of a poster of this size.\n"),
              std::string::npos)
        << Err();
    EXPECT_FALSE(std::filesystem::exists(Path("p.png")));
#endif
}

TEST_F(Job, AKilledRankEndsTheJobWithoutAPicture) {
    // Rank 1 is killed after a second of processor time, long before the
    // steps are done; the job must end rather than wait for it.
    const std::string poster =
        "poster --steps 4000000000 --threads 1 --quiet -o '" + Path("p.png") + "'";
    const int code =
        Shell(Mpirun() + " -np 1 " + Program() + " " + poster +
              " : -np 1 sh -c 'ulimit -t 1; exec \"$0\" \"$@\"' " + Program() + " " + poster);
    EXPECT_NE(code, 0);
    EXPECT_NE(code, 124) << "the job hung";
    EXPECT_FALSE(Err().empty());
    EXPECT_FALSE(std::filesystem::exists(Path("p.png")));
}

#else

TEST(Job, NeedsMpi) {
    GTEST_SKIP() << "built without MPI";
}

#endif

} // namespace
} // namespace orv::test
