// The start splash: the start picture, centred on the screen for two
// seconds while the main window is being made.
#include "ui/splash.h"
#include "images.h"
#include "platform/bitmap_resource.h"
#include "platform/gdi_scope.h"
#include "ui/state.h"

namespace orv {

HDC g_vSplashhdc = nullptr;
HBITMAP g_hSplashBitmap = nullptr;

int splash(HWND hWnd) {
    HWND hSplashwnd = CreateWindowExA(0, szSplashWinName, "", WS_POPUP, program.xscreen / 2 - 160,
                                      program.yscreen / 2 - 160, 320, 320, hWnd, nullptr,
                                      program.g_hInstance, nullptr);
    if (hSplashwnd == nullptr) {
        return 0;
    }
    EnableWindow(hWnd, FALSE);
    ShowCursor(FALSE);
    ShowWindow(hSplashwnd, SW_SHOW);

    {
        const WindowDC window(hSplashwnd);
        const HDC hdc = window.get();
        g_vSplashhdc = CreateCompatibleDC(hdc);
        g_hSplashBitmap = LoadBitmapA(program.g_hInstance, "WJSPLASH1BITMAP");
        SelectObject(g_vSplashhdc, g_hSplashBitmap);
        BitBlt(hdc, 0, 0, 320, 320, g_vSplashhdc, 0, 0, SRCCOPY);
    }

    // Nothing is taken from the queue meanwhile.
    Sleep(2000);

    ReleaseImage(g_vSplashhdc, g_hSplashBitmap);
    DestroyWindow(hSplashwnd);
    ShowCursor(TRUE);
    EnableWindow(hWnd, TRUE);
    return 0;
}

LRESULT SplashWindowProc(HWND hSplashwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hSplashwnd, message, wParam, lParam);
}

} // namespace orv
