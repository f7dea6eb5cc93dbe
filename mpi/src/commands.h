// The batch commands as the ranks of one MPI job run them.
#pragma once

#include "cli/animate.h"
#include "studio/command_line.h"
#include "studio/explore_options.h"
#include "studio/poster_options.h"

#include <ostream>

namespace orv {

// `orvantis-mpi poster`: every rank takes its share of the orbits; rank 0
// sums the counts, writes the files and reports every rank's failure. Every
// rank returns the job's exit code.
int RunPosterOnRanks(const PosterOptions& options, std::ostream& out, std::ostream& err,
                     bool errIsTerminal);

// `orvantis-mpi render`: the rows of a Lyapunov map are shared by the ranks;
// rank 0 draws the picture and writes the files. Every rank returns the
// job's exit code.
int RunBatchOnRanks(const RenderOptions& options, std::ostream& out, std::ostream& err,
                    bool errIsTerminal);

// `orvantis-mpi explore`: each rank searches its part of the numbers into a
// folder of its own; rank 0 merges the parts into the sets and page one
// process makes. Every rank returns the job's exit code.
int RunExploreOnRanks(const ExploreOptions& options, std::ostream& out, std::ostream& err,
                      bool errIsTerminal);

// `orvantis-mpi animate`: each rank renders its part of the frames into the
// folder. Every rank returns the job's exit code.
int RunAnimateOnRanks(const AnimateOptions& options, std::ostream& out, std::ostream& err,
                      bool errIsTerminal);

} // namespace orv
