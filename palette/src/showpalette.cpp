#include "palette/mapfile.h"
#include "palette/palette.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kWidth = 296;
constexpr int kHeight = 100;
constexpr COLORREF kFrame = RGB(205, 215, 225);
constexpr COLORREF kFrameMiddle = RGB(215, 225, 235);

// A closed one-pixel outline inset by i from the preview's edges.
void frameLine(HDC dc, int i) {
    HPEN pen = CreatePen(PS_SOLID, 1, i == 1 ? kFrameMiddle : kFrame);
    HGDIOBJ previous = SelectObject(dc, pen);
    const POINT corners[] = {{i, i},
                             {kWidth - 1 - i, i},
                             {kWidth - 1 - i, kHeight - 1 - i},
                             {i, kHeight - 1 - i},
                             {i, i}};
    Polyline(dc, corners, 5);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

} // namespace

int showpalette() {
    HDC hdc = GetDC(g_hWnd);
    HDC preview = CreateCompatibleDC(hdc);
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, kWidth, kHeight);
    if (hdc == nullptr || preview == nullptr || bitmap == nullptr) {
        DeleteObject(bitmap);
        DeleteDC(preview);
        ReleaseDC(g_hWnd, hdc);
        return 0;
    }
    HGDIOBJ previousBitmap = SelectObject(preview, bitmap);

    for (int i = 0; i < 3; ++i) {
        frameLine(preview, i);
    }

    LOGBRUSH solid;
    solid.lbStyle = BS_SOLID;
    solid.lbColor = back;
    HBRUSH field = CreateBrushIndirect(&solid);
    HGDIOBJ previousBrush = SelectObject(preview, field);
    PatBlt(preview, 3, 3, kWidth - 6, kHeight - 6, PATCOPY);
    SelectObject(preview, previousBrush);
    DeleteObject(field);

    for (int i = 0; i < 256; ++i) {
        HPEN pen = CreatePen(PS_SOLID, 1, PaletteColor(paltemp, static_cast<unsigned>(i)));
        HGDIOBJ previous = SelectObject(preview, pen);
        MoveToEx(preview, 20 + i, 25, nullptr);
        LineTo(preview, 20 + i, 75);
        SelectObject(preview, previous);
        DeleteObject(pen);
    }

    BitBlt(hdc, 0, 0, std::min(static_cast<int>(ClientRes.right), kWidth),
           std::min(static_cast<int>(ClientRes.bottom), kHeight), preview, 0, 0, SRCCOPY);

    SelectObject(preview, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(preview);
    ReleaseDC(g_hWnd, hdc);
    return 0;
}

} // namespace orv
