// Runs started by a launcher (mpirun, mpiexec, srun): the same program in
// many processes. `orvantis` runs as one process only; `orvantis-mpi` runs
// as the ranks of one MPI job, which share the work of a poster or of a
// Lyapunov map and leave the files to rank 0.
#pragma once

#include "studio/command_line.h"
#include "studio/explore_options.h"
#include "studio/poster_options.h"

#include <ostream>

namespace orv {

struct AnimateOptions;

// The number of processes the launcher started, as its environment tells
// each of them (1 when it names a rank only); 0 when the program was not
// started by a launcher.
int LaunchedRanks();

// This process's place among the tasks a launcher started: its index from 0
// and their count, 1 when it was started alone.
struct LauncherTask {
    int index = 0;
    int count = 1;
};
LauncherTask TaskOfLauncher();

// The commands a program built as the ranks of an MPI job runs in place of
// the plain ones when a launcher started it. Each rank returns the job's
// exit code.
struct RankCommands {
    // Every rank takes its share of the orbits; rank 0 sums the counts,
    // writes the files and reports every rank's failure.
    int (*poster)(const PosterOptions& options, std::ostream& out, std::ostream& err,
                  bool errIsTerminal);
    // The rows of a Lyapunov map are shared by the ranks; rank 0 draws the
    // picture and writes the files.
    int (*render)(const RenderOptions& options, std::ostream& out, std::ostream& err,
                  bool errIsTerminal);
    // Each rank searches its part of the numbers; rank 0 merges the parts.
    int (*explore)(const ExploreOptions& options, std::ostream& out, std::ostream& err,
                   bool errIsTerminal);
    // Each rank renders its part of the frames.
    int (*animate)(const AnimateOptions& options, std::ostream& out, std::ostream& err,
                   bool errIsTerminal);
};

// Gives the program's rank commands, before any command runs.
void UseRankCommands(const RankCommands* ranks);

// The rank commands of the running program, or nothing when it runs as one
// process only; those given to RunFrontEnd.
const RankCommands* ProgramRankCommands();

// The rank commands when this process is one rank of a job and runs them;
// nothing otherwise.
const RankCommands* JobRankCommands();

// A process that is one of several launcher tasks but will not run as one
// rank of a job of them all would do the whole work beside the others, onto
// the same files. Refuses such a command with a message that tells how to
// launch it, exit code 2; 0 otherwise. The first is asked before the
// command starts, the second by a rank once MPI has started, with the size
// of its job.
int RefuseStrayTask(const char* command, std::ostream& err);
int RefuseStrayRank(const char* command, int jobSize, std::ostream& err);

} // namespace orv
