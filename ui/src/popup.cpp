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

// The about picture, kept in the window's data while the window is open.
struct AboutPicture {
    HDC hdc = nullptr;
    HBITMAP bitmap = nullptr;
};

AboutPicture* pictureOf(HWND hPopupwnd) {
    return reinterpret_cast<AboutPicture*>(GetWindowLongPtrA(hPopupwnd, GWLP_USERDATA));
}

// Without its picture the window closes at once and says why.
LRESULT onCreate(HWND hPopupwnd) {
    const HDC abouthdc = CreateCompatibleDC(WindowDC(hPopupwnd).get());
    const HBITMAP aboutbitmap = LoadBitmapA(program.g_hInstance, "WJABOUTBITMAP");
    if (aboutbitmap == nullptr) {
        DeleteDC(abouthdc);
        program.aboutflag = 0;
        EnableWindow(g_hWnd, TRUE);
        DestroyWindow(hPopupwnd);
        MessageBoxA(g_hWnd, "Unable to allocate bitmap buffer.\nTry to free up some memory.",
                    "Memory Problem", MB_ICONEXCLAMATION);
        return 0;
    }
    SelectObject(abouthdc, aboutbitmap);
    SetWindowLongPtrA(hPopupwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(new AboutPicture{abouthdc, aboutbitmap}));
    return 0;
}

void onPaint(HWND hPopupwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hPopupwnd, &ps);
    if (const AboutPicture* picture = pictureOf(hPopupwnd)) {
        BitBlt(ps.hdc, 0, 0, kWidth, kHeight, picture->hdc, 0, 0, SRCCOPY);
    }
    EndPaint(hPopupwnd, &ps);
}

void closeAbout(HWND hPopupwnd) {
    if (program.aboutflag != 1) {
        return;
    }
    program.aboutflag = 0;
    EnableWindow(g_hWnd, TRUE);
    DestroyWindow(hPopupwnd);
}

// However the window goes (also with its owner), its picture goes with it.
void onDestroy(HWND hPopupwnd) {
    program.aboutflag = 0;
    auto* picture = reinterpret_cast<AboutPicture*>(SetWindowLongPtrA(hPopupwnd, GWLP_USERDATA, 0));
    if (picture != nullptr) {
        ReleaseImage(picture->hdc, picture->bitmap);
        delete picture;
    }
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
        onDestroy(hPopupwnd);
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
