#include "engine_fixture.h"

#include "palette/palette.h"
#include "platform/user.h"
#include "render/hitcount.h"
#include "render/plot.h"
#include "render/surfaces.h"
#include "ui/driver.h"

namespace orv::test {

namespace {

LRESULT testWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

void EngineTest::SetUp() {
    ResetPlatformState();
    backend.reset();
    ResetRenderState();
    hitmax = 0;
    genpalette(defpal1);
    CreateSurfaces(kClientWidth, kClientHeight);
}

void EngineTest::TearDown() {
    FreeHitCount();
    if (g_vhdc != nullptr) {
        DeleteDC(g_vhdc);
        DeleteObject(g_hBitmap);
        g_vhdc = nullptr;
        g_hBitmap = nullptr;
    }
    ResetPlatformState();
    g_hWnd = nullptr;
    // The tests after this one in the same program start from the state the
    // program starts with.
    ResetRenderState();
    hitmax = 0;
}

void EngineTest::CreateSurfaces(int clientWidth, int clientHeight) {
    if (g_hWnd == nullptr || !IsWindow(g_hWnd)) {
        WNDCLASSA wc;
        wc.lpfnWndProc = testWindowProc;
        wc.lpszClassName = "EngineTestWindow";
        RegisterClassA(&wc);
    } else {
        DestroyWindow(g_hWnd);
    }
    g_hWnd = CreateWindowExA(0, "EngineTestWindow", "test", WS_POPUP, 0, 0, clientWidth,
                             clientHeight, nullptr, nullptr, nullptr, nullptr);
    GetClientRect(g_hWnd, &ClientRes);
    cross = LoadCursorA(nullptr, IDC_CROSS);
    hourglass = LoadCursorA(nullptr, IDC_WAIT);
    wait = LoadCursorA(nullptr, IDC_APPSTARTING);
    ResizeImage();
}

void EngineTest::ResizeImage() {
    if (g_vhdc != nullptr) {
        DeleteDC(g_vhdc);
        DeleteObject(g_hBitmap);
    }
    HDC hdc = GetDC(g_hWnd);
    g_vhdc = CreateCompatibleDC(hdc);
    g_hBitmap = CreateCompatibleBitmap(hdc, res, res);
    SelectObject(g_vhdc, g_hBitmap);
    ReleaseDC(g_hWnd, hdc);
}

void EngineTest::Steps(long n) {
    for (long i = 0; i < n; ++i) {
        fractaldriver();
    }
}

COLORREF EngineTest::Image(int x, int y) const {
    return GetPixel(g_vhdc, x, y);
}

COLORREF EngineTest::Screen(int x, int y) const {
    HDC hdc = GetDC(g_hWnd);
    const COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(g_hWnd, hdc);
    return c;
}

} // namespace orv::test
