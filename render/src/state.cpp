#include "render/state.h"
#include "render/surfaces.h"

namespace orv {

RenderState renderstate;

const char* const methodNames[3] = {"Speed", "Hit Count", "Z-Plane"};

HWND g_hWnd = nullptr;
HDC g_vhdc = nullptr;
HBITMAP g_hBitmap = nullptr;
RECT ClientRes;
HCURSOR cross = nullptr;
HCURSOR hourglass = nullptr;
HCURSOR wait = nullptr;

void SetRes(int side) {
    res = side;
    dres = side;
}

void SetBackground(int r, int g, int b) {
    red = r;
    green = g;
    blue = b;
    back = BackgroundColour(r, g, b);
}

KernelInputs RenderInputs() {
    KernelInputs inputs;
    inputs.type = type;
    inputs.param = p[type];
    inputs.rotation = rot[type];
    inputs.order = rotationorder;
    inputs.view = mm[type];
    inputs.res = res;
    inputs.ghost = ghostflag != 0;
    return inputs;
}

void ResetRenderState() {
    renderstate = RenderState{};
}

} // namespace orv
