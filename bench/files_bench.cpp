// The Targa export of a 4000 x 4000 image (16 million pixel reads, one write
// per row, the safe save's temporary, sync and rename) against a single
// fwrite of a buffer of the same 48,000,044 bytes. What counts is the
// processor time of the process: the sync waits for the disk, which is wall
// time the processor is free for other work. BM_save_against_fwrite gives
// the ratio of the two; it stays at most 2.
#include "bench_surfaces.h"
#include "median.h"

#include "files/selection.h"
#include "files/tga.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace orv::bench {
namespace {

constexpr std::size_t kFileBytes = 18 + 3u * 4000 * 4000 + 26;

std::string target() {
    return (std::filesystem::temp_directory_path() /
            ("orv-bench-" + std::to_string(getpid()) + ".tga"))
        .string();
}

// Rewriting a file in place makes the file system flush it on close, so each
// round starts without the old file.
void removeOld(benchmark::State& state, const std::string& path) {
    state.PauseTiming();
    std::remove(path.c_str());
    state.ResumeTiming();
}

void DrawPicture() {
    SetUpSurfaces(4000);
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            SetPixel(g_vhdc, x, y, RGB(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
        }
    }
}

bool SaveTarga(const std::string& path) {
    std::strcpy(tgafile, path.c_str());
    return writetga(g_vhdc) == SaveResult::Saved;
}

bool OneFwrite(const std::vector<unsigned char>& bytes, const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), bytes.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

// The processor time of the whole process so far, in seconds.
double ProcessSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_writetga_4000(benchmark::State& state) {
    DrawPicture();
    const std::string path = target();
    for (auto _ : state) {
        removeOld(state, path);
        if (!SaveTarga(path)) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
    TearDownSurfaces();
}
BENCHMARK(BM_writetga_4000)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_one_fwrite_48MB(benchmark::State& state) {
    const std::vector<unsigned char> bytes(kFileBytes, 0x5A);
    const std::string path = target();
    for (auto _ : state) {
        removeOld(state, path);
        if (!OneFwrite(bytes, path)) {
            state.SkipWithError("the write failed");
            break;
        }
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_one_fwrite_48MB)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// Each round saves the Targa and writes the same bytes with one fwrite; the
// counters are the median processor milliseconds of each and the median of
// the rounds' ratios.
void BM_save_against_fwrite(benchmark::State& state) {
    DrawPicture();
    const std::vector<unsigned char> bytes(kFileBytes, 0x5A);
    const std::string path = target();
    std::vector<double> saves;
    std::vector<double> fwrites;
    std::vector<double> ratios;
    for (auto _ : state) {
        std::remove(path.c_str());
        double start = ProcessSeconds();
        if (!SaveTarga(path)) {
            state.SkipWithError("the export failed");
            break;
        }
        const double save = ProcessSeconds() - start;
        std::remove(path.c_str());
        start = ProcessSeconds();
        if (!OneFwrite(bytes, path)) {
            state.SkipWithError("the write failed");
            break;
        }
        const double fwrite = ProcessSeconds() - start;
        saves.push_back(1000.0 * save);
        fwrites.push_back(1000.0 * fwrite);
        ratios.push_back(save / fwrite);
    }
    std::remove(path.c_str());
    if (!ratios.empty()) {
        state.counters["save_cpu_ms"] = Median(saves);
        state.counters["fwrite_cpu_ms"] = Median(fwrites);
        state.counters["ratio"] = Median(ratios);
    }
    TearDownSurfaces();
}
BENCHMARK(BM_save_against_fwrite)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(9);

} // namespace
} // namespace orv::bench
