#include "cli/explore.h"

#include "cli/report.h"
#include "command_main.h"

namespace orv {

namespace {

constexpr const char* kUsage =
    R"(Usage: orvantis explore --type T --count N [--seed S] -o DIR [options]
       orvantis explore --merge DIR

Finds N chaotic parameter sets of one attractor type with the program's own
random search, renders each as a thumbnail and writes DIR/index.html, a
gallery page of them sorted by Lyapunov exponent, with the command lines of
a poster and a turn of each. Sets whose picture is a few dots, a line or a
filled square are passed over. The same seed gives the same sets whatever
the number of threads; neighbouring seeds give unrelated ones.

  --type T               standard, alpha, beta or gamma (0 to 3)
  --count N              sets to find, 1 to 10000 (12)
  --seed S               0 to 4294967295 (1)
  -o, --output DIR       the folder of the pictures, parameter files and page
  --force                replace the sets another run left in DIR: they are
                         removed once this run's page is written
  --part K/N             only this part's share of the searches, into
                         DIR/part-K: N runs, each with its own K (the tasks of
                         an array job), then --merge DIR, make one run's page
  --merge DIR            the finished parts in DIR made the sets and page one
                         run makes

The thumbnails take the picture options of `orvantis poster`: --res (256, at most 1024),
--steps (400000), --orbits (8), --method (hit-count), --filter (log),
--palette, --background, --start, --rotation, --order, --view, --ghost,
--supersample, --depth, --exact-orbits, --threads, --progress and --quiet.
Each thumbnail is framed to its set (--margin PCT, 5) unless --view or
--no-fit is given.

A run that stops early leaves the page of the sets already there. Two runs
never write into one folder at once.

Exit status: 0 success; 1 a file could not be written, or another run is
writing into DIR; 2 a mistake in the options, or DIR holds another run's sets
without --force; 3 fewer sets than asked were found.
)";

} // namespace

int ExploreMain(int argc, char** argv) {
    const ExploreCommandLine line =
        ParseExploreOptions(std::vector<std::string>(argv + 1, argv + argc));
    // Started as the ranks of a job, each rank takes its part.
    const RankCommands* ranks = JobRankCommands();
    return FinishCommandLine("explore", kUsage, line,
                             ranks != nullptr ? ranks->explore : RunExplore);
}

} // namespace orv
