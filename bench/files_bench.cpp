// The Targa export of a 4000 x 4000 image (16 million pixel reads, one write
// per row) against a single fwrite of a buffer of the same 48,000,044 bytes.
#include "bench_surfaces.h"

#include "files/selection.h"
#include "files/tga.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
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

void BM_writetga_4000(benchmark::State& state) {
    SetUpSurfaces(4000);
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            SetPixel(g_vhdc, x, y, RGB(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF));
        }
    }
    const std::string path = target();
    std::strcpy(tgafile, path.c_str());
    for (auto _ : state) {
        removeOld(state, path);
        if (writetga(g_vhdc) != SaveResult::Saved) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
    TearDownSurfaces();
}
BENCHMARK(BM_writetga_4000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_one_fwrite_48MB(benchmark::State& state) {
    const std::vector<unsigned char> bytes(kFileBytes, 0x5A);
    const std::string path = target();
    for (auto _ : state) {
        removeOld(state, path);
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (out == nullptr || std::fwrite(bytes.data(), bytes.size(), 1, out) != 1) {
            state.SkipWithError("the write failed");
            break;
        }
        std::fclose(out);
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_one_fwrite_48MB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace orv::bench
