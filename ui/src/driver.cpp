#include "ui/driver.h"
#include "analysis/lmap.h"
#include "platform/window_dc.h"
#include "render/hitcount.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/steps.h"
#include "render/surfaces.h"

namespace orv {

namespace {

// Clears the window to black with the image square in the background colour
// and the image itself to the background colour.
void clearPicture(HDC hdc) {
    RECT area;
    SelectObject(hdc, GetStockObject(BLACK_BRUSH));
    GetClientRect(g_hWnd, &area);
    FillRect(hdc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    area.right = res;
    area.bottom = res;
    HBRUSH background = CreateSolidBrush(back);
    FillRect(hdc, &area, background);
    SelectObject(g_vhdc, background);
    FillRect(g_vhdc, &area, background);
    DeleteObject(background);
}

// The steps that start a render or draw a row of the Lyapunov map; kept out
// of fractaldriver so that the render step, taken millions of times, pays
// nothing for them.
[[gnu::noinline]] DriverResult startOrMapStep() {
    const WindowDC window(g_hWnd);
    SetCursor(hourglass);

    if (firstloop != 0) {
        v.x = p[type].xstart;
        v.y = p[type].ystart;
        v.z = p[type].zstart;
        itercount = 0;
        hitmax = 0;
        clearPicture(window.get());
        if (!PrepareHitCount()) {
            firstloop = 1;
            return kNoHitCountBuffer;
        }
        saveres = res;
    }

    if (lmapflag != 0) {
        if (lmap(window.get(), itercount) != 0) {
            firstloop = 1;
            lmapflag = 0;
            return kMapComplete;
        }
        if (itercount < 1000) {
            ++itercount;
        }
    } else {
        // The first step of a render is not plotted.
        TakeSteps(window.get(), 1, Colouring::kSkip);
    }
    firstloop = 0;
    return kStepTaken;
}

} // namespace

DriverResult fractaldriver() {
    if (firstloop != 0 || lmapflag != 0) {
        return startOrMapStep();
    }
    const WindowDC window(g_hWnd);
    SetCursor(hourglass);
    TakeSteps(window.get(), 1, Colouring::kPlot);
    return kStepTaken;
}

DriverResult DriveSteps(std::uint64_t count) {
    while (count > 0 && (firstloop != 0 || lmapflag != 0)) {
        const DriverResult result = fractaldriver();
        if (result != kStepTaken) {
            return result;
        }
        --count;
    }
    if (count > 0) {
        const WindowDC window(g_hWnd);
        SetCursor(hourglass);
        TakeSteps(window.get(), count, Colouring::kPlot);
    }
    return kStepTaken;
}

} // namespace orv
