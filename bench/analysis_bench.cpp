// One Lyapunov exponent estimate, and a whole 600 x 600 Lyapunov map drawn row
// by row on one thread and on every core (the image checksum shows that both
// paint the same pixels). The map's exponents on one thread against the plain
// loop that computes them with nothing shared (the sum shows that both give
// the same numbers).
#include "bench_surfaces.h"

#include "analysis/lmap.h"
#include "analysis/lyapunov.h"
#include "analysis/workers.h"
#include "platform/headless.h"
#include "platform/window_dc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

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

// The exponents of a map of side 600 for the "Alpha" map, written out as a
// plain loop: two sines more a step than "Standard".
double PlainExponent(const PARAM& q, double A, double B) {
    double x = q.xstart;
    double y = q.ystart;
    double ex = 0.0;
    double ey = 0.0;
    double logaccum = 0.0;
    for (int n = 0; n < 200; ++n) {
        if (n == 101) {
            ex = x + 1e-6;
            ey = y;
        }
        const double sinxb = std::sin(x * B);
        const double sinya = std::sin(y * A);
        const double sinyc = std::sin(y * q.c);
        const double fx = std::sin(y * B) + sinxb * sinxb + sinxb * sinxb * sinxb;
        const double fy = std::sin(x * A) + sinya * sinya + sinyc * sinyc * sinyc;
        x = fx;
        y = fy;
        if (n > 100) {
            const double sinexb = std::sin(ex * B);
            const double sineya = std::sin(ey * A);
            const double sineyc = std::sin(ey * q.c);
            const double fex = std::sin(ey * B) + sinexb * sinexb + sinexb * sinexb * sinexb;
            const double fey = std::sin(ex * A) + sineya * sineya + sineyc * sineyc * sineyc;
            const double dx = fex - x;
            const double dy = fey - y;
            double distance = std::sqrt(dx * dx + dy * dy);
            if (!(distance >= 1e-16)) {
                distance = 1e-16;
            }
            logaccum = logaccum + std::log(distance * 1e6);
            const double dfactor = 1e-6 / distance;
            ex = x + dx * dfactor;
            ey = y + dy * dfactor;
        }
    }
    const double lexp = 1.442694 * logaccum * 0.01;
    return !(lexp >= -1.984375) ? -1.984375 : lexp > 1.984375 ? 1.984375 : lexp;
}

constexpr int kMapSide = 600;

void BM_map_exponents_plain_loop(benchmark::State& state) {
    ResetRenderState();
    double sum = 0.0;
    for (auto _ : state) {
        sum = 0.0;
        for (int row = 0; row < kMapSide; ++row) {
            const double B = (kMapSide - 1 - row) * 6.0 / (kMapSide - 1) - 3.0;
            for (int i = 0; i < kMapSide; ++i) {
                sum += PlainExponent(p[1], i * 6.0 / (kMapSide - 1) - 3.0, B);
            }
        }
    }
    state.counters["sum"] = sum;
}
BENCHMARK(BM_map_exponents_plain_loop)->Unit(benchmark::kMillisecond);

void BM_map_exponents_one_thread(benchmark::State& state) {
    ResetRenderState();
    SetWorkerLimit(1);
    std::vector<double> exponents(kMapSide);
    double sum = 0.0;
    for (auto _ : state) {
        sum = 0.0;
        for (int row = 0; row < kMapSide; ++row) {
            LmapRow(1, p[1], kMapSide, row, exponents.data());
            for (double exponent : exponents) {
                sum += exponent;
            }
        }
    }
    state.counters["sum"] = sum;
    SetWorkerLimit(0);
}
BENCHMARK(BM_map_exponents_one_thread)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace orv::bench
