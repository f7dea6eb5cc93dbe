// Render steps per second of the render driver for each colouring method,
// one step per call and many in one call, of the render kernel counting hits into plain arrays, and
// of the same map and plot written as a plain loop on raw arrays.
#include "bench_surfaces.h"

#include "render/kernel.h"

#include <benchmark/benchmark.h>

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

// The Standard map with Hit Count colouring at 600 x 600, with nothing but
// arrays: the work one render step must do.
void BM_plain_loop_hit_count(benchmark::State& state) {
    const double a = -0.966918;
    const double b = 2.879879;
    const double c = 0.765145;
    const double d = 0.744728;
    const int side = 600;
    const double dside = 600.0;
    std::vector<float> counts(static_cast<std::size_t>(side) * side);
    std::vector<std::uint32_t> image(static_cast<std::size_t>(side) * side);
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(side) * side);
    genpalette(defpal1);
    double x = 0.1;
    double y = 0.1;
    std::uint32_t most = 0;
    for (auto _ : state) {
        const double nx = c * std::sin(b * x) + std::sin(b * y);
        const double ny = d * std::sin(a * y) + std::sin(a * x);
        const double nz = std::sin(x);
        benchmark::DoNotOptimize(nz);
        x = nx;
        y = ny;
        const int col = static_cast<int>((x + 2.5) * dside / 5.0);
        const int row = side - 1 - static_cast<int>((y + 2.5) * dside / 5.0);
        if (col >= 0 && col < side && row >= 0 && row < side) {
            const std::size_t pixel = static_cast<std::size_t>(row) * side + col;
            const std::uint32_t count = static_cast<std::uint32_t>(counts[pixel]) + 1;
            counts[pixel] += 1.0f;
            most = count > most ? count : most;
            const std::uint32_t ci = count > 255 ? 255 : count;
            const std::uint32_t color = PaletteColor(palette, ci) | 0xFF000000u;
            image[pixel] = color;
            screen[pixel] = color;
        }
    }
    benchmark::DoNotOptimize(most);
    benchmark::DoNotOptimize(image.data());
    benchmark::DoNotOptimize(screen.data());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_plain_loop_hit_count);

// The render kernel with the plain loop's counting: the kernel should keep at
// least 95% of the plain loop's steps per second.
void BM_kernel_hit_count(benchmark::State& state) {
    const int side = 600;
    KernelInputs inputs;
    inputs.param = PARAM{0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728};
    inputs.view = MINMAX{-2.5, 2.5, -2.5, 2.5};
    inputs.res = side;
    const RenderKernel kernel(inputs);
    KernelState at = kernel.start();
    std::vector<float> counts(static_cast<std::size_t>(side) * side);
    std::vector<std::uint32_t> image(static_cast<std::size_t>(side) * side);
    std::vector<std::uint32_t> screen(static_cast<std::size_t>(side) * side);
    genpalette(defpal1);
    std::uint32_t most = 0;
    for (auto _ : state) {
        const Pixel px = kernel.step(at);
        if (px.x >= 0 && px.x < side && px.y >= 0 && px.y < side) {
            const std::size_t pixel = static_cast<std::size_t>(px.y) * side + px.x;
            const std::uint32_t count = static_cast<std::uint32_t>(counts[pixel]) + 1;
            counts[pixel] += 1.0f;
            most = count > most ? count : most;
            const std::uint32_t ci = count > 255 ? 255 : count;
            const std::uint32_t color = PaletteColor(palette, ci) | 0xFF000000u;
            image[pixel] = color;
            screen[pixel] = color;
        }
    }
    benchmark::DoNotOptimize(most);
    benchmark::DoNotOptimize(image.data());
    benchmark::DoNotOptimize(screen.data());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_kernel_hit_count);

} // namespace
} // namespace orv::bench
