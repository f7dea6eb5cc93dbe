#include "cli/launcher.h"
#include "cli/report.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace orv {

namespace {

// The variable's value as a number; fallback when it is not set.
int Number(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

std::string NotOneJob(const LauncherTask& task) {
    return "the tasks do not form one MPI job of " + std::to_string(task.count) +
           "; launch with srun --mpi=pmix or mpirun";
}

int Refuse(const char* command, const LauncherTask& task, const std::string& why,
           std::ostream& err) {
    err << "orvantis " << command << ": started as task " << task.index + 1 << " of " << task.count
        << " by a launcher, but " << why << '\n';
    return kExitBadInput;
}

// The commands of a program built as the ranks of an MPI job; set once,
// before its command runs.
const RankCommands* programRanks = nullptr;

} // namespace

int LaunchedRanks() {
    // Open MPI's mpirun, then the process managers of Slurm and MPICH.
    for (const char* name : {"OMPI_COMM_WORLD_SIZE", "PMI_SIZE", "PMIX_SIZE"}) {
        if (std::getenv(name) != nullptr) {
            return std::max(1, Number(name, 1));
        }
    }
    return std::getenv("PMIX_RANK") != nullptr ? 1 : 0;
}

LauncherTask TaskOfLauncher() {
    LauncherTask task;
    // srun sets the Slurm variables for each task it starts; an salloc shell
    // has the job's task count without a task number of its own.
    if (std::getenv("SLURM_PROCID") != nullptr) {
        task = {Number("SLURM_PROCID", 0), Number("SLURM_NTASKS", 1)};
    }
    const int ranks = LaunchedRanks();
    if (ranks > task.count) {
        task.count = ranks;
        for (const char* name : {"OMPI_COMM_WORLD_RANK", "PMI_RANK", "PMIX_RANK"}) {
            if (std::getenv(name) != nullptr) {
                task.index = Number(name, 0);
                break;
            }
        }
    }
    return task;
}

void UseRankCommands(const RankCommands* ranks) {
    programRanks = ranks;
}

const RankCommands* ProgramRankCommands() {
    return programRanks;
}

const RankCommands* JobRankCommands() {
    return LaunchedRanks() > 0 ? programRanks : nullptr;
}

int RefuseStrayTask(const char* command, std::ostream& err) {
    const LauncherTask task = TaskOfLauncher();
    if (task.count <= 1) {
        return 0;
    }
    if (programRanks == nullptr) {
        return Refuse(command, task,
                      "orvantis runs as one process; launch orvantis-mpi with srun --mpi=pmix "
                      "or mpirun to share the work",
                      err);
    }
    // A rank of a job checks the job's size once MPI has started.
    return JobRankCommands() != nullptr ? 0 : Refuse(command, task, NotOneJob(task), err);
}

int RefuseStrayRank(const char* command, int jobSize, std::ostream& err) {
    const LauncherTask task = TaskOfLauncher();
    if (task.count <= 1 || jobSize == task.count) {
        return 0;
    }
    return Refuse(command, task, NotOneJob(task), err);
}

} // namespace orv
