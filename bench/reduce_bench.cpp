// The sum of every rank's counts into rank 0's, as orvantis-mpi poster sums
// its grids, on 12000 x 12000 32-bit counts: every pixel lit, and one in ten
// lit as an attractor leaves them. Against it, the plain reduction to rank 0
// up a tree (MPI_Reduce) in parts of the same size. The counter MB_to_root
// is what rank 0 takes in. Started alone, the program starts itself as a job
// of 2 ranks under mpirun; rank 0 reports.
#include "ranks.h"

#include "cli/launcher.h"

#include <benchmark/benchmark.h>
#include <mpi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace orv::bench {
namespace {

constexpr std::size_t kSide = 12000;
constexpr std::size_t kPart = std::size_t{1} << 22;

std::unique_ptr<Ranks> job;

// Every pixel lit, or one in ten (the others 0).
void Fill(std::vector<std::uint32_t>& counts, bool sparse) {
    for (std::size_t i = 0; i < counts.size(); ++i) {
        counts[i] = !sparse || i % 10 == 0 ? static_cast<std::uint32_t>(i % 97 + 1) : 0;
    }
}

template <typename SumOf> void Time(benchmark::State& state, bool packs, SumOf sum) {
    const bool sparse = state.range(0) != 0;
    std::vector<std::uint32_t> counts(kSide * kSide);
    for (auto _ : state) {
        state.PauseTiming();
        Fill(counts, sparse);
        MPI_Barrier(MPI_COMM_WORLD);
        state.ResumeTiming();
        sum(counts);
    }
    const double dense = static_cast<double>(counts.size() * 4);
    state.counters["MB_to_root"] = (packs && sparse ? dense / 32 + dense / 10 : dense) / 1e6;
    state.SetLabel(sparse ? "one pixel in ten lit" : "every pixel lit");
}

void BM_SumToRoot(benchmark::State& state) {
    Time(state, true,
         [](std::vector<std::uint32_t>& counts) { job->SumToRoot(counts.data(), counts.size()); });
}
BENCHMARK(BM_SumToRoot)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ReduceUpATree(benchmark::State& state) {
    Time(state, false, [](std::vector<std::uint32_t>& counts) {
        for (std::size_t first = 0; first < counts.size(); first += kPart) {
            const int part = static_cast<int>(std::min(kPart, counts.size() - first));
            std::uint32_t* at = counts.data() + first;
            MPI_Reduce(job->root() ? MPI_IN_PLACE : at, at, part, MPI_UINT32_T, MPI_SUM, 0,
                       MPI_COMM_WORLD);
        }
    });
}
BENCHMARK(BM_ReduceUpATree)->Arg(0)->Arg(1)->Iterations(3)->Unit(benchmark::kMillisecond);

// Reports nothing: the ranks other than 0 run the same steps silently.
class Silent : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>&) override {}
};

} // namespace
} // namespace orv::bench

int main(int argc, char** argv) {
    if (orv::LaunchedRanks() == 0) {
        std::string command = std::string("OMPI_ALLOW_RUN_AS_ROOT=1 "
                                          "OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1 '") +
                              ORV_MPIEXEC + "' --oversubscribe --bind-to none -np 2";
        for (int i = 0; i < argc; ++i) {
            command += std::string(" '") + argv[i] + "'";
        }
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    }
    orv::bench::job = std::make_unique<orv::Ranks>();
    benchmark::Initialize(&argc, argv);
    if (orv::bench::job->root()) {
        benchmark::RunSpecifiedBenchmarks();
    } else {
        orv::bench::Silent silent;
        benchmark::RunSpecifiedBenchmarks(&silent);
    }
    benchmark::Shutdown();
    orv::bench::job.reset();
    return 0;
}
