#include "render/state.h"
#include "render/surfaces.h"

namespace orv {

int type = 0;

const PARAM pdef[kTypes] = {
    {0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728},
    {0.1, 0.1, 0.0, -1.804285, -2.513108, 0.957945, 0.0},
    {0.1, 0.1, 0.0, 2.039949, 1.322977, 0.0, 0.0},
    {0.1, 0.1, 0.0, 0.805414, 2.132054, 0.0, 0.0},
};
PARAM p[kTypes] = {pdef[0], pdef[1], pdef[2], pdef[3]};
const double abcdrange[4] = {-3.0, 3.0, -1.75, 1.75};

const MINMAX mmdef[kTypes] = {
    {-2.5, 2.5, -2.5, 2.5},
    {-3.5, 3.5, -3.5, 3.5},
    {-3.5, 3.5, -3.5, 3.5},
    {-3.5, 3.5, -3.5, 3.5},
};
MINMAX mm[kTypes] = {mmdef[0], mmdef[1], mmdef[2], mmdef[3]};
const MINMAX mmrange = {-5.0, 5.0, -5.0, 5.0};
VOXEL rot[kTypes];
int rotationorder = 0;
int method[kTypes] = {0, 0, 0, 0};

int res = 600;
double dres = 600.0;
int saveres = 0;
int hcres = 0;

std::uint32_t back = 0x00E6F5FF;
int red = 255;
int green = 245;
int blue = 230;

VOXEL v;
VOXEL oldv;
int itercount = 0;
long double xradians_user = 0.0L;
long double yradians_user = 0.0L;
long double zradians_user = 0.0L;
int ghostcount = 0;

int okrun = 0;
int firstloop = 1;
int lmapflag = 0;
int ghostflag = 0;
int debugflag = 0;
int gridflag = 0;
int logsquare = 0;

const char* const typeNames[kTypes] = {"Standard", "Alpha", "Beta", "Gamma"};
const char* const methodNames[3] = {"Speed", "Hit Count", "Z-Plane"};

HWND g_hWnd = nullptr;
HDC g_vhdc = nullptr;
HBITMAP g_hBitmap = nullptr;
RECT ClientRes;
HCURSOR cross = nullptr;
HCURSOR hourglass = nullptr;
HCURSOR wait = nullptr;

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

bool MatchesRenderState(const KernelInputs& inputs) {
    return inputs.type == type && inputs.param == p[type] && inputs.rotation == rot[type] &&
           inputs.order == rotationorder && inputs.view == mm[type] && inputs.res == res &&
           inputs.ghost == (ghostflag != 0);
}

void ResetRenderState() {
    type = 0;
    for (int k = 0; k < kTypes; ++k) {
        p[k] = pdef[k];
        mm[k] = mmdef[k];
        rot[k] = VOXEL{};
        method[k] = 0;
    }
    rotationorder = 0;
    res = 600;
    dres = 600.0;
    saveres = 0;
    back = 0x00E6F5FF;
    red = 255;
    green = 245;
    blue = 230;
    v = VOXEL{};
    oldv = VOXEL{};
    itercount = 0;
    xradians_user = yradians_user = zradians_user = 0.0L;
    ghostcount = 0;
    okrun = 0;
    firstloop = 1;
    lmapflag = 0;
    ghostflag = 0;
    debugflag = 0;
    gridflag = 0;
    logsquare = 0;
}

} // namespace orv
