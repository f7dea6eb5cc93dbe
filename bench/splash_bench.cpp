// One step of the closing splash's star field, to be set against the 20 ms
// pause that follows it: the drawing must be a vanishing part of the step,
// so that the stars drift at about 50 pixels a second.
#include "platform/user.h"
#include "ui/splash.h"

#include <benchmark/benchmark.h>

namespace orv::bench {
namespace {

void BM_stars(benchmark::State& state) {
    ResetPlatformState();
    WNDCLASSA wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "BenchSplash";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "BenchSplash", "", WS_POPUP, 0, 0, 320, 320, nullptr, nullptr,
                                  nullptr, nullptr);
    HDC hdc = GetDC(window);
    HDC image = CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, 320, 320);
    SelectObject(image, bitmap);
    StarField field;
    for (auto _ : state) {
        stars(hdc, image, field);
    }
    ReleaseDC(window, hdc);
    DeleteDC(image);
    DeleteObject(bitmap);
    ResetPlatformState();
}
BENCHMARK(BM_stars);

} // namespace
} // namespace orv::bench
