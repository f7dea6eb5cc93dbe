#include "canvas.h"

#include "analysis/lmap.h"
#include "palette/palette.h"
#include "platform/headless.h"
#include "platform/user.h"
#include "platform/window_dc.h"
#include "render/hitcount.h"
#include "render/kernel.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <algorithm>
#include <cmath>

namespace orv::pictures {

namespace {

LRESULT canvasProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

EngineCanvas::EngineCanvas(int side) : side_(side) {
    ResetPlatformState();
    Headless().reset();
    ResetRenderState();
    SetRes(side);
    SetBackground(0, 0, 0);

    WNDCLASSA wc;
    wc.lpfnWndProc = canvasProc;
    wc.lpszClassName = "PictureCanvas";
    RegisterClassA(&wc);
    g_hWnd = CreateWindowExA(0, "PictureCanvas", "", WS_POPUP, 0, 0, side, side, nullptr, nullptr,
                             nullptr, nullptr);
    GetClientRect(g_hWnd, &ClientRes);
    cross = LoadCursorA(nullptr, IDC_CROSS);
    hourglass = LoadCursorA(nullptr, IDC_WAIT);
    wait = LoadCursorA(nullptr, IDC_APPSTARTING);
    HDC hdc = GetDC(g_hWnd);
    g_vhdc = CreateCompatibleDC(hdc);
    g_hBitmap = CreateCompatibleBitmap(hdc, side, side);
    SelectObject(g_vhdc, g_hBitmap);
    ReleaseDC(g_hWnd, hdc);
}

EngineCanvas::~EngineCanvas() {
    FreeHitCount();
    DeleteDC(g_vhdc);
    DeleteObject(g_hBitmap);
    g_vhdc = nullptr;
    g_hBitmap = nullptr;
    ResetPlatformState();
    g_hWnd = nullptr;
}

HitCounts EngineCanvas::RenderAttractor(const AttractorSetup& setup) {
    type = setup.type;
    p[type] = setup.parameters;
    mm[type] = setup.view;
    method[type] = 1;
    genpalette(defpal1);
    // A render as the render driver takes it: the first iterate is not
    // plotted, every later one is.
    hitmax = 0;
    HitCounts hits;
    hits.side = side_;
    if (!PrepareHitCount()) {
        return hits;
    }
    const RenderKernel kernel(RenderInputs());
    KernelState state = kernel.start();
    const WindowDC window(g_hWnd);
    for (long i = 0; i < setup.steps; ++i) {
        const Pixel at = kernel.step(state);
        if (i > 0) {
            plot(window.get(), at.x, at.y);
        }
    }
    if (hitcount != nullptr) {
        const std::size_t n = static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_);
        hits.counts.assign(hitcount, hitcount + n);
        hits.maximum = static_cast<float>(hitmax);
    }
    return hits;
}

std::vector<int> EngineCanvas::LyapunovHeights(int mapType, const PARAM& parameters) {
    unsigned char grey[768];
    for (int i = 0; i < 256; ++i) {
        grey[3 * i] = grey[3 * i + 1] = grey[3 * i + 2] = static_cast<unsigned char>(i);
    }
    genpalette(grey);
    type = mapType;
    p[type] = parameters;
    const WindowDC window(g_hWnd);
    for (int row = 0; row < side_; ++row) {
        lmap(window.get(), row);
    }
    std::vector<int> heights(static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_));
    for (int y = 0; y < side_; ++y) {
        for (int x = 0; x < side_; ++x) {
            heights[static_cast<std::size_t>(y) * static_cast<std::size_t>(side_) +
                    static_cast<std::size_t>(x)] = GetRValue(GetPixel(g_vhdc, x, y));
        }
    }
    return heights;
}

QRgb Gradient(const std::vector<QRgb>& stops, double position) {
    const double scaled = std::clamp(position, 0.0, 1.0) * static_cast<double>(stops.size() - 1);
    const std::size_t k = std::min(static_cast<std::size_t>(scaled), stops.size() - 2);
    const double t = scaled - static_cast<double>(k);
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    const QRgb a = stops[k];
    const QRgb b = stops[k + 1];
    return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

QImage ToneMap(const HitCounts& hits, const std::vector<QRgb>& stops) {
    QImage image(hits.side, hits.side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (hits.maximum < 2.0f) {
        return image;
    }
    const double top = std::log(static_cast<double>(hits.maximum) + 1.0);
    for (int y = 0; y < hits.side; ++y) {
        for (int x = 0; x < hits.side; ++x) {
            const float c =
                hits.counts[static_cast<std::size_t>(y) * static_cast<std::size_t>(hits.side) +
                            static_cast<std::size_t>(x)];
            if (c > 0.0f) {
                const double level = std::log(static_cast<double>(c) + 1.0) / top;
                const QRgb colour = Gradient(stops, level);
                // Faint pixels fade into what lies below instead of speckling it.
                const int alpha =
                    static_cast<int>(std::lround(255.0 * std::min(1.0, 0.35 + level)));
                image.setPixel(x, y, qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
            }
        }
    }
    return image;
}

} // namespace orv::pictures
