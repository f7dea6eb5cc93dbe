#include "render/driver.h"
#include "analysis/lmap.h"
#include "platform/kernel.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"

#include <cstring>

namespace orv {

namespace {

// The kernel of the render in progress. The state it was made from changes
// only while rendering is paused, so it is remade only when that happened.
RenderKernel kernel;

const RenderKernel& currentKernel() {
    const KernelInputs inputs = RenderInputs();
    if (!(inputs == kernel.inputs())) {
        kernel = RenderKernel(inputs);
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

// Gets a zeroed hit-count buffer of res x res; false when there is no memory.
bool prepareHitCount() {
    const std::size_t bytes = sizeof(float) * static_cast<std::size_t>(res) * res;
    if (hitcount != nullptr && hcres == res) {
        std::memset(hitcount, 0, bytes);
        return true;
    }
    if (hitcount != nullptr) {
        LocalFree(hitcount);
        hitcount = nullptr;
    }
    hcres = 0;
    hitcount = static_cast<float*>(LocalAlloc(LMEM_ZEROINIT, bytes));
    if (hitcount == nullptr) {
        return false;
    }
    hcres = saveres = res;
    return true;
}

} // namespace

void FreeHitCount() {
    if (hitcount != nullptr) {
        LocalFree(hitcount);
        hitcount = nullptr;
    }
    hcres = 0;
}

int fractaldriver() {
    HDC hdc = GetDC(g_hWnd);
    SetCursor(hourglass);

    if (firstloop != 0) {
        v.x = p[type].xstart;
        v.y = p[type].ystart;
        v.z = p[type].zstart;
        itercount = 0;
        hitmax = 0;
        clearPicture(hdc);
        if (!prepareHitCount()) {
            MessageBoxA(g_hWnd,
                        "Not enough memory to allocate hit count buffer.\nFree up more system "
                        "memory, or\n   set a smaller image resolution.",
                        "Memory allocation problem", MB_ICONWARNING);
            firstloop = 1;
            ReleaseDC(g_hWnd, hdc);
            PostMessageA(g_hWnd, WM_COMMAND, kRenderCommand, 0);
            return 1;
        }
    }

    int xplot1 = 0;
    int yplot1 = 0;
    if (lmapflag != 0) {
        if (lmap(itercount) != 0) {
            firstloop = 1;
            lmapflag = 0;
            ReleaseDC(g_hWnd, hdc);
            PostMessageA(g_hWnd, WM_COMMAND, kRenderCommand, 1);
            return 0;
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
    ReleaseDC(g_hWnd, hdc);
    return 0;
}

} // namespace orv
