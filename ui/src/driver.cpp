#include "ui/driver.h"
#include "analysis/lmap.h"
#include "platform/window_dc.h"
#include "render/hitcount.h"
#include "render/kernel.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"

namespace orv {

namespace {

// The kernel of the render in progress. The state it was made from changes
// only while rendering is paused, so it is remade only when that happened.
RenderKernel kernel;

const RenderKernel& currentKernel() {
    if (!MatchesRenderState(kernel.inputs())) {
        kernel = RenderKernel(RenderInputs());
        if (kernel.rotation().turns()) {
            xradians_user = kernel.rotation().xradians();
            yradians_user = kernel.rotation().yradians();
            zradians_user = kernel.rotation().zradians();
        }
    }
    return kernel;
}

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

} // namespace

DriverResult fractaldriver() {
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

    int xplot1 = 0;
    int yplot1 = 0;
    if (lmapflag != 0) {
        if (lmap(itercount) != 0) {
            firstloop = 1;
            lmapflag = 0;
            return kMapComplete;
        }
    } else {
        KernelState state{v, ghostcount, static_cast<std::uint64_t>(itercount)};
        const Pixel at = currentKernel().step(state);
        ghostcount = state.ghostcount;
        xplot1 = at.x;
        yplot1 = at.y;
        oldv = v;
        v = state.point;
    }

    if (itercount < 1000) {
        ++itercount;
    }
    if (lmapflag == 0 && firstloop == 0) {
        plot(xplot1, yplot1);
    }
    firstloop = 0;
    return kStepTaken;
}

} // namespace orv
