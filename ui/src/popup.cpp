// The about window: the about picture until a click or a typed character.
#include "ui/popup.h"
#include "images.h"
#include "platform/bitmap_resource.h"
#include "platform/gdi_scope.h"
#include "render/surfaces.h"
#include "ui/state.h"

namespace orv {

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 240;

HDC abouthdc = nullptr;
HBITMAP aboutbitmap = nullptr;

// Without its picture the window closes at once and says why.
LRESULT onCreate(HWND hPopupwnd) {
    abouthdc = CreateCompatibleDC(WindowDC(hPopupwnd).get());
    aboutbitmap = LoadBitmapA(program.g_hInstance, "WJABOUTBITMAP");
    if (aboutbitmap == nullptr) {
        DeleteDC(abouthdc);
        abouthdc = nullptr;
        program.aboutflag = 0;
        EnableWindow(g_hWnd, TRUE);
        DestroyWindow(hPopupwnd);
        MessageBoxA(g_hWnd, "Unable to allocate bitmap buffer.\nTry to free up some memory.",
                    "Memory Problem", MB_ICONEXCLAMATION);
        return 0;
    }
    SelectObject(abouthdc, aboutbitmap);
    return 0;
}

void onPaint(HWND hPopupwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hPopupwnd, &ps);
    BitBlt(ps.hdc, 0, 0, kWidth, kHeight, abouthdc, 0, 0, SRCCOPY);
    EndPaint(hPopupwnd, &ps);
}

void closeAbout(HWND hPopupwnd) {
    if (program.aboutflag != 1) {
        return;
    }
    program.aboutflag = 0;
    ReleaseImage(abouthdc, aboutbitmap);
    EnableWindow(g_hWnd, TRUE);
    DestroyWindow(hPopupwnd);
}

// However the window goes (also with its owner), its picture goes with it.
void onDestroy() {
    program.aboutflag = 0;
    ReleaseImage(abouthdc, aboutbitmap);
}

} // namespace

LRESULT PopupWindowProc(HWND hPopupwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return onCreate(hPopupwnd);
    case WM_PAINT:
        onPaint(hPopupwnd);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_MOVE:
    case WM_SIZE:
        InvalidateRect(hPopupwnd, nullptr, TRUE);
        return 0;
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        closeAbout(hPopupwnd);
        return 0;
    default:
        return DefWindowProcA(hPopupwnd, message, wParam, lParam);
    }
}

} // namespace orv
