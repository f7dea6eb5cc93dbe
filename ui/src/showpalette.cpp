#include "palette/palette.h"
#include "platform/gdi_scope.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/palette_preview.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int kWidth = 296;
constexpr int kHeight = 100;
constexpr COLORREF kFrame = RGB(205, 215, 225);
constexpr COLORREF kFrameMiddle = RGB(215, 225, 235);

// A closed one-pixel outline inset by i from the preview's edges.
void frameLine(HDC dc, int i) {
    const SelectedObject pen(dc, CreatePen(PS_SOLID, 1, i == 1 ? kFrameMiddle : kFrame));
    const POINT corners[] = {{i, i},
                             {kWidth - 1 - i, i},
                             {kWidth - 1 - i, kHeight - 1 - i},
                             {i, kHeight - 1 - i},
                             {i, i}};
    Polyline(dc, corners, 5);
}

} // namespace

int showpalette() {
    const WindowDC window(g_hWnd);
    const HDC hdc = window.get();
    const MemoryDC memory(hdc);
    const HDC preview = memory.get();
    const SelectedObject bitmap(preview, CreateCompatibleBitmap(hdc, kWidth, kHeight));
    if (hdc == nullptr || preview == nullptr || !bitmap) {
        return 0;
    }

    for (int i = 0; i < 3; ++i) {
        frameLine(preview, i);
    }

    LOGBRUSH solid;
    solid.lbStyle = BS_SOLID;
    solid.lbColor = back;
    {
        const SelectedObject field(preview, CreateBrushIndirect(&solid));
        PatBlt(preview, 3, 3, kWidth - 6, kHeight - 6, PATCOPY);
    }

    for (int i = 0; i < 256; ++i) {
        const SelectedObject pen(
            preview, CreatePen(PS_SOLID, 1, PaletteColor(paltemp, static_cast<unsigned>(i))));
        MoveToEx(preview, 20 + i, 25, nullptr);
        LineTo(preview, 20 + i, 75);
    }

    BitBlt(hdc, 0, 0, std::min(static_cast<int>(ClientRes.right), kWidth),
           std::min(static_cast<int>(ClientRes.bottom), kHeight), preview, 0, 0, SRCCOPY);
    return 0;
}

} // namespace orv
