// The program as a job of 1 and of 2 MPI ranks, timed from outside as a
// user runs it: a poster whose steps dominate, a poster so large and so
// short that the summing of its counts to rank 0 dominates, and a Lyapunov
// map. Each rank renders on one thread, so that 2 ranks use both cores of a
// 2-core machine. Each case keeps its best wall-clock time of two rounds
// taken in turn in the same run, so that the ratios hold on a shared, noisy
// machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace orv::bench {
namespace {

constexpr int kRounds = 2;

// Wall-clock seconds of `mpirun -np ranks orvantis args`, or a negative
// value when the job failed.
double TimeJob(int ranks, const std::string& args) {
    const std::filesystem::path picture =
        std::filesystem::temp_directory_path() / "orvantis-mpi-bench.png";
    const std::string command = std::string("OMPI_ALLOW_RUN_AS_ROOT=1 "
                                            "OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1 '") +
                                ORV_MPIEXEC + "' --oversubscribe --bind-to none -np " +
                                std::to_string(ranks) + " '" + ORV_PROGRAM + "' " + args +
                                " --quiet -o '" + picture.string() + "' >/dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::filesystem::remove(picture);
    return status == 0 ? seconds : -1.0;
}

// Times the job on 1 and on 2 ranks; the counters name them after prefix.
void CompareRanks(benchmark::State& state, const std::string& args, const std::string& prefix) {
    double best[2] = {1e300, 1e300};
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (int ranks = 1; ranks <= 2; ++ranks) {
                const double seconds = TimeJob(ranks, args);
                if (seconds < 0.0) {
                    state.SkipWithError("the job failed");
                    return;
                }
                best[ranks - 1] = std::min(best[ranks - 1], seconds);
            }
        }
    }
    state.counters[prefix + "_1rank_s"] = best[0];
    state.counters[prefix + "_2ranks_s"] = best[1];
    state.counters[prefix + "_speedup"] = best[0] / best[1];
}

// 100 million steps on a small grid: the steps are nearly all the time.
void BM_PosterSteps(benchmark::State& state) {
    CompareRanks(state,
                 "poster --method hit-count --res 600 --steps 100000000 --orbits 64 --threads 1",
                 "steps");
}
BENCHMARK(BM_PosterSteps)->Iterations(1)->Unit(benchmark::kSecond);

// 8000 x 8000 counts and a thousand steps: the extra time of 2 ranks is the
// summing of 64 million counts (256 MB) to rank 0.
void BM_PosterReduction(benchmark::State& state) {
    CompareRanks(state, "poster --method hit-count --res 8000 --steps 1000 --threads 1",
                 "res8000_counts");
}
BENCHMARK(BM_PosterReduction)->Iterations(1)->Unit(benchmark::kSecond);

// A Lyapunov map of 300 x 300 pixels: rows on each rank.
void BM_LyapunovMap(benchmark::State& state) {
    CompareRanks(state, "render --lmap --type 2 --res 300", "lmap300");
}
BENCHMARK(BM_LyapunovMap)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
