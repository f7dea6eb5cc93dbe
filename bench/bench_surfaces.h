// A headless main window and off-screen image for the benchmarks, set up as
// the program sets them up.
#pragma once

#include "palette/palette.h"
#include "platform/user.h"
#include "render/hitcount.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"

namespace orv::bench {

// The image is side x side (the start size unless a benchmark needs another).
inline void SetUpSurfaces(int side = 600) {
    ResetPlatformState();
    ResetRenderState();
    res = side;
    dres = side;
    genpalette(defpal1);
    WNDCLASSA wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "BenchWindow";
    RegisterClassA(&wc);
    g_hWnd = CreateWindowExA(0, "BenchWindow", "", WS_POPUP, 0, 0, 1024, 700, nullptr, nullptr,
                             nullptr, nullptr);
    GetClientRect(g_hWnd, &ClientRes);
    hourglass = LoadCursorA(nullptr, IDC_WAIT);
    cross = LoadCursorA(nullptr, IDC_CROSS);
    wait = LoadCursorA(nullptr, IDC_APPSTARTING);
    HDC hdc = GetDC(g_hWnd);
    g_vhdc = CreateCompatibleDC(hdc);
    g_hBitmap = CreateCompatibleBitmap(hdc, res, res);
    SelectObject(g_vhdc, g_hBitmap);
    ReleaseDC(g_hWnd, hdc);
}

inline void TearDownSurfaces() {
    FreeHitCount();
    DeleteDC(g_vhdc);
    DeleteObject(g_hBitmap);
    g_vhdc = nullptr;
    ResetPlatformState();
    g_hWnd = nullptr;
}

} // namespace orv::bench
