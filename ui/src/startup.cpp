// Start-up: the command line, the window classes, the main window and the
// display check.
#include "ui/startup.h"
#include "files/selection.h"
#include "palette/palette.h"
#include "platform/gdi.h"
#include "platform/gdi_scope.h"
#include "platform/menu.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/mainwindow.h"
#include "ui/popup.h"
#include "ui/splash.h"
#include "ui/state.h"

#include <cstring>

namespace orv {

namespace {

WNDCLASSA windowClass(const char* name, WNDPROC proc, HINSTANCE hInstance, int cursor, int brush,
                      const char* menu) {
    WNDCLASSA wc;
    wc.style = 0;
    wc.lpfnWndProc = proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, kIconName);
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(brush));
    wc.lpszMenuName = menu;
    wc.lpszClassName = name;
    return wc;
}

} // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE, const char* lpszArgs, int nCmdShow) {
    // An argument that does not fit is refused rather than cut, so that a
    // shortened name can never load some other file.
    const char* args = lpszArgs != nullptr ? lpszArgs : "";
    if (std::strlen(args) < sizeof program.ogantemp) {
        std::strcpy(program.ogantemp, args);
    } else {
        program.ogantemp[0] = '\0';
    }

    int failure = InitWindowClass(hInstance);
    if (failure == 0) {
        failure = CreateMainWindow(hInstance, nCmdShow);
    }
    if (failure != 0) {
        MessageBoxA(nullptr, errormessage[failure - 1], "Error", MB_ICONEXCLAMATION);
        return 0;
    }
    return static_cast<int>(ProgramDriver());
}

int InitWindowClass(HINSTANCE hInstance) {
    WNDCLASSA wc =
        windowClass(szWinName, MainWindowProc, hInstance, IDC_CROSS, BLACK_BRUSH, kMenuName);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    if (RegisterClassA(&wc) == 0) {
        return 1;
    }
    wc = windowClass(szPopupWinName, PopupWindowProc, hInstance, IDC_ARROW, WHITE_BRUSH, nullptr);
    if (RegisterClassA(&wc) == 0) {
        return 2;
    }
    // Without its class a splash is left out; the program runs on.
    wc = windowClass(szSplashWinName, SplashWindowProc, hInstance, IDC_ARROW, BLACK_BRUSH, nullptr);
    program.oksplash = RegisterClassA(&wc) != 0 ? 1 : 0;
    wc = windowClass(szSplash2WinName, Splash2WindowProc, hInstance, IDC_ARROW, BLACK_BRUSH,
                     nullptr);
    program.oksplash2 = RegisterClassA(&wc) != 0 ? 1 : 0;
    return 0;
}

int CreateMainWindow(HINSTANCE hInstance, int nCmdShow) {
    program.g_hInstance = hInstance;
    program.g_hAccel = LoadAcceleratorsA(hInstance, kMenuName);
    InitOpenFile();
    program.xscreen = GetSystemMetrics(SM_CXSCREEN);
    program.yscreen = GetSystemMetrics(SM_CYSCREEN);
    // The render state starts from its defaults: the parameter sets, view
    // windows and rotations of every type, and an image of 600 x 600.
    ResetRenderState();
    HWND hwnd =
        CreateWindowExA(0, szWinName, "WJ Orvantis", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                        program.xscreen, program.yscreen, nullptr, nullptr, hInstance, nullptr);
    if (hwnd == nullptr) {
        return 3;
    }
    g_hWnd = hwnd;
    if (initgraphics(g_hWnd) != 0) {
        return 4;
    }
    ShowWindow(g_hWnd, nCmdShow);
    UpdateWindow(g_hWnd);
    return 0;
}

int initgraphics(HWND hWnd) {
    const int bits = GetDeviceCaps(WindowDC(hWnd).get(), BITSPIXEL);
    genpalette(defpal1);
    return bits < 24 ? 1 : 0;
}

} // namespace orv
