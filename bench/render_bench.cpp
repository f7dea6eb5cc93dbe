// Render steps per second of the render driver for each colouring method,
// one step per call and many in one call, of the render kernel counting hits
// into plain arrays, and of the same map and plot written as a plain loop on
// raw arrays; and the shares of the plain loop's speed that the kernel and
// the driver keep.
#include "bench_surfaces.h"
#include "median.h"
#include "plain_hits.h"

#include "render/kernel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

namespace orv::bench {
namespace {

void BM_fractaldriver(benchmark::State& state) {
    SetUpSurfaces();
    method[0] = static_cast<int>(state.range(0));
    for (auto _ : state) {
        fractaldriver();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(methodNames[method[0]]);
    TearDownSurfaces();
}
BENCHMARK(BM_fractaldriver)->Arg(0)->Arg(1)->Arg(2);

// The same steps taken many in one call, as the batch renderer takes them.
void BM_DriveSteps(benchmark::State& state) {
    SetUpSurfaces();
    method[0] = static_cast<int>(state.range(0));
    fractaldriver();
    constexpr std::uint64_t kRun = 4096;
    for (auto _ : state) {
        DriveSteps(kRun);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kRun));
    state.SetLabel(methodNames[method[0]]);
    TearDownSurfaces();
}
BENCHMARK(BM_DriveSteps)->Arg(0)->Arg(1)->Arg(2);

// Keeps the compiler from dropping the counting as unused.
void KeepHits(PlainHits& hits) {
    benchmark::DoNotOptimize(hits.most);
    benchmark::DoNotOptimize(hits.image.data());
    benchmark::DoNotOptimize(hits.screen.data());
}

// The Standard map with Hit Count colouring at 600 x 600, with nothing but
// arrays: the work one render step must do.
struct PlainLoop {
    PlainHits hits;
    double x = 0.1;
    double y = 0.1;

    void run(std::int64_t steps) {
        const double a = -0.966918;
        const double b = 2.879879;
        const double c = 0.765145;
        const double d = 0.744728;
        const double dside = PlainHits::kSide;
        // The point lives in locals, as a plain loop would keep it.
        double px = x;
        double py = y;
        for (std::int64_t i = 0; i < steps; ++i) {
            const double nx = c * std::sin(b * px) + std::sin(b * py);
            const double ny = d * std::sin(a * py) + std::sin(a * px);
            const double nz = std::sin(px);
            benchmark::DoNotOptimize(nz);
            px = nx;
            py = ny;
            hits.hit(static_cast<int>((px + 2.5) * dside / 5.0),
                     PlainHits::kSide - 1 - static_cast<int>((py + 2.5) * dside / 5.0));
        }
        x = px;
        y = py;
        KeepHits(hits);
    }
};

// The same steps by the render kernel, with the plain loop's counting.
struct KernelLoop {
    static KernelInputs Inputs() {
        KernelInputs inputs;
        inputs.param = PARAM{0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728};
        inputs.view = MINMAX{-2.5, 2.5, -2.5, 2.5};
        inputs.res = PlainHits::kSide;
        return inputs;
    }

    RenderKernel kernel{Inputs()};
    KernelState at = kernel.start();
    PlainHits hits;

    void run(std::int64_t steps) {
        KernelState now = at;
        for (std::int64_t i = 0; i < steps; ++i) {
            const Pixel px = kernel.step(now);
            hits.hit(px.x, px.y);
        }
        at = now;
        KeepHits(hits);
    }
};

constexpr std::int64_t kBatch = 10000;

void BM_plain_loop_hit_count(benchmark::State& state) {
    PlainLoop loop;
    while (state.KeepRunningBatch(kBatch)) {
        loop.run(kBatch);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_plain_loop_hit_count);

void BM_kernel_hit_count(benchmark::State& state) {
    KernelLoop loop;
    while (state.KeepRunningBatch(kBatch)) {
        loop.run(kBatch);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_kernel_hit_count);

template <class Run> double Seconds(Run run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The kernel and the render driver (Hit Count, one step a call) against the
// plain loop, as shares of its steps per second: 15 rounds of a million
// steps each, taken in turn, and the median share of the rounds. The kernel
// should keep at least 95%, the driver at least 85%.
void BM_SharesOfThePlainLoop(benchmark::State& state) {
    SetUpSurfaces();
    method[0] = 1;
    fractaldriver();
    PlainLoop plain;
    KernelLoop kernel;
    constexpr std::int64_t kSteps = 1000000;
    std::vector<double> kernelShares;
    std::vector<double> driverShares;
    for (auto _ : state) {
        for (int round = 0; round < 15; ++round) {
            const double plainSeconds = Seconds([&] { plain.run(kSteps); });
            const double kernelSeconds = Seconds([&] { kernel.run(kSteps); });
            const double driverSeconds = Seconds([] {
                for (std::int64_t i = 0; i < kSteps; ++i) {
                    fractaldriver();
                }
            });
            kernelShares.push_back(plainSeconds / kernelSeconds);
            driverShares.push_back(plainSeconds / driverSeconds);
        }
    }
    state.counters["kernel_share"] = Median(kernelShares);
    state.counters["driver_share"] = Median(driverShares);
    TearDownSurfaces();
}
BENCHMARK(BM_SharesOfThePlainLoop)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace orv::bench
