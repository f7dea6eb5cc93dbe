// The palette commands: a ".map" palette previewed before it is accepted
// (135), the two built-in palettes (140, 145), and Clear Screen (150). The
// menu keeps exactly one of 135, 140 and 145 checked.
#include "command_handlers.h"
#include "files/selection.h"
#include "palette/palette.h"
#include "platform/gdi_scope.h"
#include "platform/menu.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/mainwindow.h"
#include "ui/palette_preview.h"
#include "ui/state.h"

#include <cstring>

namespace orv {

namespace {

// The corner of the window that the preview covers.
constexpr int kPreviewWidth = 296;
constexpr int kPreviewHeight = 100;

void checkPalette(HWND hWnd, UINT checked) {
    HMENU menu = GetMenu(hWnd);
    for (UINT id : {kPaletteFile, kDefaultPalette1, kDefaultPalette2}) {
        CheckMenuItem(menu, id, MF_BYCOMMAND | (id == checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

HBRUSH blackBrush() {
    return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

} // namespace

void PaletteFileCommand(HWND hWnd) {
    if (GetOpenFileNameA(&ofn) == FALSE) {
        return;
    }
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    if (OpenMapFile() == 1) {
        MessageBoxA(hWnd, "Error opening MAP file", "MAP file error", MB_ICONEXCLAMATION);
        PostMessageA(hWnd, WM_COMMAND, kClearScreen, 0);
        return;
    }

    BitBlt(program.g_phdc, 0, 0, kPreviewWidth, kPreviewHeight, WindowDC(hWnd).get(), 0, 0,
           SRCCOPY);
    showpalette();
    const int answer =
        MessageBoxA(nullptr, "Accept palette?", "Preview", MB_YESNO | MB_ICONINFORMATION);
    BitBlt(WindowDC(hWnd).get(), 0, 0, kPreviewWidth, kPreviewHeight, program.g_phdc, 0, 0,
           SRCCOPY);
    BitBlt(g_vhdc, 0, 0, kPreviewWidth, kPreviewHeight, program.g_phdc, 0, 0, SRCCOPY);

    if (answer == IDNO) {
        PostMessageA(hWnd, WM_COMMAND, kPaletteFile, 0);
        return;
    }
    std::memcpy(palette, paltemp, sizeof palette);
    checkPalette(hWnd, kPaletteFile);
    PictureIsObsolete();
}

void DefaultPaletteCommand(HWND hWnd, UINT id) {
    genpalette(id == kDefaultPalette1 ? defpal1 : defpal2);
    checkPalette(hWnd, id);
    PictureIsObsolete();
}

void ClearScreenCommand(HWND hWnd) {
    FillRect(WindowDC(hWnd).get(), &ClientRes, blackBrush());
    program.VhdcRes = RECT{0, 0, res, res};
    FillRect(g_vhdc, &program.VhdcRes, blackBrush());
    PictureIsObsolete();
}

} // namespace orv
