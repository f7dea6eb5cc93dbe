// Render steps per second of the render driver for each colouring method,
// one step per call and many in one call, of the render kernel counting hits into plain arrays, and
// of the same map and plot written as a plain loop on raw arrays.
#include "bench_surfaces.h"
#include "plain_hits.h"

#include "render/kernel.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

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

// The Standard map with Hit Count colouring at 600 x 600, with nothing but
// arrays: the work one render step must do.
void BM_plain_loop_hit_count(benchmark::State& state) {
    const double a = -0.966918;
    const double b = 2.879879;
    const double c = 0.765145;
    const double d = 0.744728;
    const double dside = PlainHits::kSide;
    PlainHits hits;
    double x = 0.1;
    double y = 0.1;
    for (auto _ : state) {
        const double nx = c * std::sin(b * x) + std::sin(b * y);
        const double ny = d * std::sin(a * y) + std::sin(a * x);
        const double nz = std::sin(x);
        benchmark::DoNotOptimize(nz);
        x = nx;
        y = ny;
        hits.hit(static_cast<int>((x + 2.5) * dside / 5.0),
                 PlainHits::kSide - 1 - static_cast<int>((y + 2.5) * dside / 5.0));
    }
    benchmark::DoNotOptimize(hits.most);
    benchmark::DoNotOptimize(hits.image.data());
    benchmark::DoNotOptimize(hits.screen.data());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_plain_loop_hit_count);

// The render kernel with the plain loop's counting: the kernel should keep at
// least 95% of the plain loop's steps per second.
void BM_kernel_hit_count(benchmark::State& state) {
    KernelInputs inputs;
    inputs.param = PARAM{0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728};
    inputs.view = MINMAX{-2.5, 2.5, -2.5, 2.5};
    inputs.res = PlainHits::kSide;
    const RenderKernel kernel(inputs);
    KernelState at = kernel.start();
    PlainHits hits;
    for (auto _ : state) {
        const Pixel px = kernel.step(at);
        hits.hit(px.x, px.y);
    }
    benchmark::DoNotOptimize(hits.most);
    benchmark::DoNotOptimize(hits.image.data());
    benchmark::DoNotOptimize(hits.screen.data());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_kernel_hit_count);

} // namespace
} // namespace orv::bench
