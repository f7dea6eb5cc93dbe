// The closing splash: the closing picture under a band of twinkling stars.
// Each WM_USER is one animation step that posts the next; a key or a click
// ends it, and with it the program.
#include "images.h"
#include "platform/bitmap_resource.h"
#include "platform/gdi_scope.h"
#include "render/surfaces.h"
#include "ui/splash.h"
#include "ui/state.h"

namespace orv {

namespace {

constexpr int kSide = 320;
constexpr int kPictureHeight = 226;
constexpr UINT kClose = WM_USER + 1;

// What the splash window keeps while it is open, in its window data.
struct ClosingSplash {
    // The composed 320 x 320 image and its bitmap.
    HDC vhdc = nullptr;
    HBITMAP vbitmap = nullptr;
    // The closing picture.
    HDC picture = nullptr;
    HBITMAP pictureBitmap = nullptr;
    // true once the first step has shown the whole image.
    bool shown = false;
    StarField field;
};

// The window's splash; none before WM_CREATE has made it or after
// WM_DESTROY has freed it.
ClosingSplash* splashOf(HWND hSplash2wnd) {
    return reinterpret_cast<ClosingSplash*>(GetWindowLongPtrA(hSplash2wnd, GWLP_USERDATA));
}

LRESULT onCreate(HWND hSplash2wnd) {
    const WindowDC window(hSplash2wnd);
    const HDC hdc = window.get();
    const HDC vhdc = CreateCompatibleDC(hdc);
    const HBITMAP vbitmap = vhdc != nullptr ? CreateCompatibleBitmap(hdc, kSide, kSide) : nullptr;
    if (vbitmap == nullptr) {
        DeleteDC(vhdc);
        return -1;
    }
    auto* splash = new ClosingSplash;
    splash->vhdc = vhdc;
    splash->vbitmap = vbitmap;
    SetWindowLongPtrA(hSplash2wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(splash));
    SelectObject(vhdc, vbitmap);
    HBRUSH background = CreateSolidBrush(kSplash2Background);
    const RECT all{0, 0, kSide, kSide};
    FillRect(vhdc, &all, background);
    DeleteObject(background);

    splash->picture = CreateCompatibleDC(hdc);
    splash->pictureBitmap = LoadBitmapA(program.g_hInstance, "WJSPLASH2BITMAP");
    SelectObject(splash->picture, splash->pictureBitmap);
    BitBlt(vhdc, 0, kSide - kPictureHeight, kSide, kPictureHeight, splash->picture, 0, 0, SRCCOPY);
    PostMessageA(hSplash2wnd, WM_USER, 0, 0);
    return 0;
}

void onPaint(HWND hSplash2wnd) {
    PAINTSTRUCT ps;
    BeginPaint(hSplash2wnd, &ps);
    if (const ClosingSplash* splash = splashOf(hSplash2wnd)) {
        BitBlt(ps.hdc, 0, 0, kSide, kSide, splash->vhdc, 0, 0, SRCCOPY);
    }
    EndPaint(hSplash2wnd, &ps);
}

bool endsTheSplash(UINT message) {
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_LBUTTONDOWN ||
           message == WM_RBUTTONDOWN;
}

// One step. A key press or a button press waiting for the window ends the
// animation a second later; any other input waiting (a mouse move, a key
// release, a character) is dropped.
void step(HWND hSplash2wnd, ClosingSplash& splash) {
    const WindowDC window(hSplash2wnd);
    const HDC hdc = window.get();
    if (!splash.shown) {
        splash.shown = true;
        BitBlt(hdc, 0, 0, kSide, kSide, splash.vhdc, 0, 0, SRCCOPY);
    }
    stars(hdc, splash.vhdc, splash.field);
    Sleep(20);
    MSG msg;
    if (PeekMessageA(&msg, hSplash2wnd, WM_KEYDOWN, WM_MOUSELAST, PM_REMOVE) != FALSE &&
        endsTheSplash(msg.message)) {
        Sleep(1000);
        PostMessageA(hSplash2wnd, kClose, 0, 0);
    } else {
        PostMessageA(hSplash2wnd, WM_USER, 0, 0);
    }
}

// However the window goes (also with its owner), its pictures go with it.
void onDestroy(HWND hSplash2wnd) {
    auto* splash =
        reinterpret_cast<ClosingSplash*>(SetWindowLongPtrA(hSplash2wnd, GWLP_USERDATA, 0));
    if (splash == nullptr) {
        return;
    }
    ReleaseImage(splash->picture, splash->pictureBitmap);
    ReleaseImage(splash->vhdc, splash->vbitmap);
    delete splash;
}

// Closes the splash, which frees its pictures, and lets the main window end
// the program.
void closeSplash(HWND hSplash2wnd) {
    DestroyWindow(hSplash2wnd);
    PostMessageA(g_hWnd, WM_DESTROY, 0, 0);
}

} // namespace

int splash2(HWND hWnd) {
    FillRect(WindowDC(g_hWnd).get(), &ClientRes, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HWND hSplash2wnd = CreateWindowExA(0, szSplash2WinName, "", WS_POPUP, program.xscreen / 2 - 160,
                                       program.yscreen / 2 - 160, kSide, kSide, hWnd, nullptr,
                                       program.g_hInstance, nullptr);
    // Without its window the main window must stay usable.
    if (hSplash2wnd == nullptr) {
        return 0;
    }
    EnableWindow(hWnd, FALSE);
    ShowWindow(hSplash2wnd, SW_SHOW);
    return 0;
}

LRESULT Splash2WindowProc(HWND hSplash2wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(hSplash2wnd);
    case WM_PAINT:
        onPaint(hSplash2wnd);
        return 0;
    case WM_MOVE:
    case WM_SIZE:
        InvalidateRect(hSplash2wnd, nullptr, TRUE);
        return 0;
    case WM_USER:
        if (ClosingSplash* splash = splashOf(hSplash2wnd)) {
            step(hSplash2wnd, *splash);
        }
        return 0;
    case WM_DESTROY:
        onDestroy(hSplash2wnd);
        return 0;
    case kClose:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        closeSplash(hSplash2wnd);
        return 0;
    default:
        return DefWindowProcA(hSplash2wnd, message, wParam, lParam);
    }
}

} // namespace orv
