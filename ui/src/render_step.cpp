#include "analysis/lmap.h"
#include "platform/user.h"
#include "platform/window_dc.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "ui/driver.h"

namespace orv {

namespace {

void askForGrid() {
    const WindowDC window(g_hWnd);
    const int answer = MessageBoxA(nullptr,
                                   "Draw grid?\n\nX-axis: parameter A from -3.0 to 3.0\nY-axis: "
                                   "parameter B from -3.0 to 3.0\n\nGrid may be erased by "
                                   "pressing 'TAB'.",
                                   "Grid Option", MB_YESNO | MB_ICONQUESTION);
    if (answer == IDNO) {
        gridflag = 0;
    } else {
        gridflag = 1;
        drawgrid(window.get());
    }
}

} // namespace

void RenderStep() {
    switch (fractaldriver()) {
    case kStepTaken:
        break;
    case kNoHitCountBuffer:
        MessageBoxA(g_hWnd, kNoHitCountBufferText, "Memory allocation problem", MB_ICONWARNING);
        PostMessageA(g_hWnd, WM_COMMAND, kRenderCommand, 0);
        break;
    case kMapComplete:
        askForGrid();
        PostMessageA(g_hWnd, WM_COMMAND, kRenderCommand, 1);
        break;
    }
}

} // namespace orv
