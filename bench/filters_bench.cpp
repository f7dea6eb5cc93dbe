// Each hit-count filter on a 4000 x 4000 Hit Count image after a long render.
#include "bench_surfaces.h"

#include "filters/filters.h"
#include "platform/window_dc.h"
#include "render/plot.h"

#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

constexpr long kRenderSteps = 20000000;

// The render is made once and shared: the filters never change the counts.
void longRender() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    SetUpSurfaces(4000);
    method[0] = 1;
    for (long i = 0; i < kRenderSteps; ++i) {
        fractaldriver();
    }
}

void run(benchmark::State& state, int (*filter)(HDC), int squared) {
    longRender();
    logsquare = squared;
    const WindowDC dc(g_hWnd);
    const HDC window = dc.get();
    for (auto _ : state) {
        benchmark::DoNotOptimize(filter(window));
    }
    logsquare = 0;
    state.counters["hitmax"] = hitmax;
    state.SetItemsProcessed(state.iterations() * res * res);
}

void BM_normalize_4000(benchmark::State& state) {
    run(state, normalize, 0);
}
void BM_equalize_4000(benchmark::State& state) {
    run(state, equalize, 0);
}
void BM_logadjust_4000(benchmark::State& state) {
    run(state, logadjust, 0);
}
void BM_logadjust_squared_4000(benchmark::State& state) {
    run(state, logadjust, 1);
}
BENCHMARK(BM_normalize_4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_equalize_4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_logadjust_4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_logadjust_squared_4000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orv::bench
