// One Lyapunov exponent estimate, and a whole 600 x 600 Lyapunov map drawn row
// by row on one thread and on every core (the image checksum shows that both
// paint the same pixels).
#include "bench_surfaces.h"

#include "analysis/lmap.h"
#include "analysis/lyapunov.h"
#include "analysis/workers.h"
#include "platform/headless.h"
#include "platform/window_dc.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace orv::bench {
namespace {

void BM_lyapunov(benchmark::State& state) {
    ResetRenderState();
    for (auto _ : state) {
        lyapunov();
        benchmark::DoNotOptimize(LExp);
    }
}
BENCHMARK(BM_lyapunov)->Unit(benchmark::kMicrosecond);

std::uint32_t imageChecksum() {
    std::uint32_t hash = 2166136261u;
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            hash = (hash ^ GetPixel(g_vhdc, x, y)) * 16777619u;
        }
    }
    return hash;
}

// Argument: the threads to use, 0 for every core.
void BM_lyapunov_map_600(benchmark::State& state) {
    SetUpSurfaces();
    Headless().onMessageBox = [](const MessageBoxCall&) { return IDNO; };
    SetWorkerLimit(static_cast<int>(state.range(0)));
    const WindowDC window(g_hWnd);
    for (auto _ : state) {
        for (int row = 0; row < res; ++row) {
            lmap(window.get(), row);
        }
    }
    state.counters["checksum"] = imageChecksum();
    state.SetLabel(state.range(0) == 1 ? "one thread" : "every core");
    SetWorkerLimit(0);
    Headless().onMessageBox = nullptr;
    TearDownSurfaces();
}
BENCHMARK(BM_lyapunov_map_600)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace orv::bench
