// The main window's messages and the render toggle.
#include "ui/mainwindow.h"
#include "files/gan.h"
#include "files/selection.h"
#include "images.h"
#include "platform/menu.h"
#include "render/hitcount.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/commands.h"
#include "ui/splash.h"
#include "ui/state.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {

// Every item but 165 and the four filters, which 165 handles on its own.
constexpr UINT kCommandItems[] = {
    kLoadParameters,  kSaveImage,       kSaveParameters, kExit,
    kLyapunovMap,     kAttractorType,   kParameters,     kRandomParameters,
    kColoringMethod,  kBackgroundColor, kPaletteFile,    kDefaultPalette1,
    kDefaultPalette2, kClearScreen,     kHelpTopics,     kAbout};
constexpr UINT kFilterItems[] = {kNormalize, kEqualize, kHitCountLogSquared, kHitCountLog};

// A black memory image of width x height with the black brush selected.
bool blackImage(HWND hWnd, int width, int height, HDC* image, HBITMAP* bitmap) {
    HDC hdc = GetDC(hWnd);
    HDC dc = CreateCompatibleDC(hdc);
    HBITMAP bm = dc != nullptr ? CreateCompatibleBitmap(hdc, width, height) : nullptr;
    ReleaseDC(hWnd, hdc);
    if (bm == nullptr) {
        DeleteDC(dc);
        return false;
    }
    SelectObject(dc, bm);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    PatBlt(dc, 0, 0, width, height, PATCOPY);
    *image = dc;
    *bitmap = bm;
    return true;
}

// The command line holds one path in double quotes: its first and last
// characters are dropped unchecked. A file that cannot be loaded leaves the
// defaults without a word.
void loadCommandLineFile() {
    const std::size_t length = std::strlen(ogantemp);
    if (length == 0) {
        return;
    }
    const std::size_t inner = length >= 2 ? length - 2 : 0;
    std::memcpy(oganfile, ogantemp + 1, inner);
    oganfile[inner] = '\0';
    if (oganfile[0] != '\0') {
        loadgan();
    }
}

LRESULT onCreate(HWND hWnd) {
    if (oksplash == 1) {
        splash(hWnd);
    }
    GetClientRect(hWnd, &ClientRes);
    cross = LoadCursorA(nullptr, IDC_CROSS);
    hourglass = LoadCursorA(nullptr, IDC_WAIT);
    wait = LoadCursorA(nullptr, IDC_APPSTARTING);
    if (!blackImage(hWnd, 600, 600, &g_vhdc, &g_hBitmap) ||
        !blackImage(hWnd, 296, 100, &g_phdc, &g_phBitmap)) {
        return -1;
    }
    for (int i = 0; i < kTypes; ++i) {
        p[i] = pdef[i];
        mm[i] = mmdef[i];
        rot[i] = VOXEL{};
    }
    loadCommandLineFile();
    PostMessageA(hWnd, WM_COMMAND, kRenderPauseResume, 0);
    return 0;
}

void onDestroy() {
    // Rendering ends with the window: no step may draw on what is freed.
    okrun = 0;
    FreeHitCount();
    ReleaseImage(g_vhdc, g_hBitmap);
    ReleaseImage(g_phdc, g_phBitmap);
    PostQuitMessage(0);
}

void onPaint(HWND hWnd) {
    PAINTSTRUCT ps;
    BeginPaint(hWnd, &ps);
    const RECT& r = ps.rcPaint;
    BitBlt(ps.hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_vhdc, r.left, r.top,
           SRCCOPY);
    EndPaint(hWnd, &ps);
}

// Tab while paused takes the Lyapunov grid off the window by copying the
// image over it.
void onKeyDown(HWND hWnd, WPARAM key) {
    if (okrun != 0 || key != VK_TAB || gridflag != 1) {
        return;
    }
    gridflag = 0;
    HDC hdc = GetDC(hWnd);
    BitBlt(hdc, 0, 0, std::min(res, ClientRes.right), std::min(res, ClientRes.bottom), g_vhdc, 0, 0,
           SRCCOPY);
    ReleaseDC(hWnd, hdc);
}

} // namespace

void RenderPauseResume(HWND hWnd, LPARAM lParam) {
    okrun = 1 - okrun;
    HMENU menu = GetMenu(hWnd);
    if (okrun != 0) {
        for (UINT id : kCommandItems) {
            EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
        }
        for (UINT id : kFilterItems) {
            EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
        }
        return;
    }
    for (UINT id : kCommandItems) {
        EnableMenuItem(menu, id, MF_BYCOMMAND | MF_ENABLED);
    }
    EnableMenuItem(menu, kRenderPauseResume, MF_BYCOMMAND | MF_ENABLED);
    const bool filters = method[type] == 1 && LOWORD(static_cast<std::uintptr_t>(lParam)) == 0;
    for (UINT id : kFilterItems) {
        EnableMenuItem(menu, id, MF_BYCOMMAND | (filters ? MF_ENABLED : MF_GRAYED));
    }
    SetCursor(cross);
}

bool SetResolution(HWND hWnd, int side) {
    HDC image = nullptr;
    HBITMAP bitmap = nullptr;
    if (!blackImage(hWnd, side, side, &image, &bitmap)) {
        return false;
    }
    ReleaseImage(g_vhdc, g_hBitmap);
    g_vhdc = image;
    g_hBitmap = bitmap;
    res = side;
    dres = side;
    return true;
}

LRESULT MainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(hWnd);
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_MOVE:
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        onPaint(hWnd);
        return 0;
    case WM_KEYDOWN:
        onKeyDown(hWnd, wParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        PostMessageA(hWnd, WM_COMMAND, kRenderPauseResume, 0);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kRenderPauseResume) {
            RenderPauseResume(hWnd, lParam);
        } else if (okrun == 0) {
            CommandHandler(hWnd, LOWORD(wParam));
        }
        return 0;
    default:
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

} // namespace orv
