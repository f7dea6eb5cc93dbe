// The program `orvantis-mpi`: the batch commands, with poster and render
// shared by the ranks of an MPI job when mpirun or srun starts it. It has no
// desktop program.
#include "commands.h"

#include "cli/front_end.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kUsage = R"(Usage: orvantis-mpi render|poster|explore|animate [options]
       mpirun -np N orvantis-mpi poster [options] -o FILE.png
       srun --mpi=pmix orvantis-mpi render --lmap [options] -o FILE.png

The batch commands of orvantis. Started by mpirun or srun, the ranks of the
job share the orbits of a poster, the rows of a Lyapunov map, the searches
of explore or the frames of animate, and the files are those one process
writes. Each command lists its options with --help.
)";

constexpr orv::RankCommands kRankCommands{orv::RunPosterOnRanks, orv::RunBatchOnRanks,
                                          orv::RunExploreOnRanks, orv::RunAnimateOnRanks};

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> code = orv::RunFrontEnd(argc, argv, &kRankCommands)) {
        return *code;
    }
    const bool asked = argc == 2 && (std::string_view(argv[1]) == "--help");
    std::fputs(kUsage, asked ? stdout : stderr);
    return asked ? 0 : 2;
}
