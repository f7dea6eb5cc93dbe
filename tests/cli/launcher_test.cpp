// The programs started as one of several tasks by a launcher (srun, mpirun)
// that do not form one MPI job: every task would draw the whole picture onto
// the same file, so each refuses before it touches one. `orvantis` runs as
// one process only and links no MPI; `orvantis-mpi` runs as the ranks of a
// job.
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include <sys/wait.h>

namespace orv::test {
namespace {

class LauncherTasks : public ::testing::Test {
  protected:
    // Runs the program with only the launcher variables given; the exit
    // code. A run that hangs is ended and fails. The MPI library's own
    // allocations at start-up are not the program's, so a sanitized build
    // does not count them as leaks.
    int Run(const std::string& variables, const std::string& args,
            const char* program = ORV_PROGRAM) {
        const std::string line =
            "env -u SLURM_PROCID -u SLURM_NTASKS -u PMI_SIZE -u PMI_RANK -u PMIX_SIZE "
            "-u PMIX_RANK -u OMPI_COMM_WORLD_SIZE -u OMPI_COMM_WORLD_RANK -u DISPLAY "
            "OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1 "
            "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " +
            variables + " timeout 60 '" + program + "' " + args + " >'" + dir.path("out.txt") +
            "' 2>'" + dir.path("err.txt") + "'";
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Err() const {
        std::ifstream in(dir.path("err.txt"));
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string Poster() const {
        return "poster --res 100 --steps 20000 --quiet -o '" + dir.path("p.png") + "'";
    }

    std::string Explore() const {
        return "explore --type alpha --count 1 --res 100 --steps 20000 --quiet -o '" +
               dir.path("sets") + "'";
    }

    TempDir dir;
};

const std::string kOneProcess = "orvantis runs as one process; launch orvantis-mpi with srun "
                                "--mpi=pmix or mpirun to share the work\n";
TEST_F(LauncherTasks, ThePlainProgramRefusesToBeOneOfSeveralTasks) {
    // An MPI process manager's variables, as mpirun or srun --mpi=pmix set them.
    EXPECT_EQ(Run("PMI_SIZE=2 PMI_RANK=0", Poster()), 2);
    EXPECT_EQ(Err(), "orvantis poster: started as task 1 of 2 by a launcher, but " + kOneProcess);
    // srun without MPI wiring: Slurm's own variables alone.
    EXPECT_EQ(Run("SLURM_PROCID=0 SLURM_NTASKS=2",
                  "render --steps 1000 --quiet -o '" + dir.path("r.tga") + "'"),
              2);
    EXPECT_EQ(Err(), "orvantis render: started as task 1 of 2 by a launcher, but " + kOneProcess);
    EXPECT_EQ(Run("OMPI_COMM_WORLD_SIZE=2 OMPI_COMM_WORLD_RANK=1", Explore()), 2);
    EXPECT_EQ(Err(), "orvantis explore: started as task 2 of 2 by a launcher, but " + kOneProcess);
    EXPECT_FALSE(std::filesystem::exists(dir.path("p.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("r.tga")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("sets")));
}

TEST_F(LauncherTasks, ThePlainProgramLinksNoMpi) {
    const std::string line = std::string("readelf -d '") + ORV_PROGRAM + "'";
    FILE* pipe = ::popen(line.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string needed;
    for (std::array<char, 512> buffer{}; std::fgets(buffer.data(), buffer.size(), pipe);) {
        if (std::string_view(buffer.data()).find("(NEEDED)") != std::string_view::npos) {
            needed += buffer.data();
        }
    }
    ASSERT_EQ(::pclose(pipe), 0);
    EXPECT_NE(needed.find("libc.so"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("mpi"), std::string::npos) << needed;
}

#ifdef ORV_MPI_PROGRAM
TEST_F(LauncherTasks, AnMpiTaskOfSeveralOutsideOneJobRefusesWithoutAFile) {
    const std::string notOneJob =
        "the tasks do not form one MPI job of 2; launch with srun --mpi=pmix or mpirun\n";
    // An MPI process manager's variables without its server: MPI starts as
    // a job of one.
    EXPECT_EQ(Run("PMI_SIZE=2 PMI_RANK=0", Poster(), ORV_MPI_PROGRAM), 2);
    EXPECT_EQ(Err(), "orvantis poster: started as task 1 of 2 by a launcher, but " + notOneJob);
    // srun without MPI wiring: Slurm's own variables alone.
    EXPECT_EQ(Run("SLURM_PROCID=1 SLURM_NTASKS=2", Poster(), ORV_MPI_PROGRAM), 2);
    EXPECT_EQ(Err(), "orvantis poster: started as task 2 of 2 by a launcher, but " + notOneJob);
    EXPECT_EQ(Run("SLURM_PROCID=0 SLURM_NTASKS=2",
                  "render --steps 1000 --quiet -o '" + dir.path("r.tga") + "'", ORV_MPI_PROGRAM),
              2);
    EXPECT_EQ(Err(), "orvantis render: started as task 1 of 2 by a launcher, but " + notOneJob);
    EXPECT_EQ(Run("OMPI_COMM_WORLD_SIZE=2 OMPI_COMM_WORLD_RANK=1", Explore(), ORV_MPI_PROGRAM), 2);
    EXPECT_EQ(Err(), "orvantis explore: started as task 2 of 2 by a launcher, but " + notOneJob);
    EXPECT_FALSE(std::filesystem::exists(dir.path("p.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("r.tga")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("sets")));
}
#endif

TEST_F(LauncherTasks, OneTaskOrAnAllocationShellRunsAsAPlainProcess) {
    EXPECT_EQ(Run("SLURM_PROCID=0 SLURM_NTASKS=1", Poster()), 0) << Err();
    EXPECT_TRUE(std::filesystem::exists(dir.path("p.png")));
    std::filesystem::remove(dir.path("p.png"));
    // salloc's shell: the job's task count, but no task of srun's.
    EXPECT_EQ(Run("SLURM_NTASKS=4", Poster()), 0) << Err();
    EXPECT_TRUE(std::filesystem::exists(dir.path("p.png")));
}

} // namespace
} // namespace orv::test
