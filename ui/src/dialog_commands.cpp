// The commands that run a dialog: each takes copies of what its dialog may
// change and restarts the picture only when something did change.
#include "command_handlers.h"
#include "platform/dialog.h"
#include "render/state.h"
#include "resources/resources.h"
#include "ui/dialogs.h"
#include "ui/mainwindow.h"
#include "ui/state.h"

namespace orv {

namespace {

INT_PTR runDialog(HWND hWnd, WORD id, DLGPROC proc) {
    return DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(id), hWnd, proc, 0);
}

bool changed(const PARAM& now, const PARAM& was) {
    return now.a != was.a || now.b != was.b || now.c != was.c || now.d != was.d ||
           now.xstart != was.xstart || now.ystart != was.ystart;
}

bool changed(const MINMAX& now, const MINMAX& was) {
    return now.xmin != was.xmin || now.xmax != was.xmax || now.ymin != was.ymin ||
           now.ymax != was.ymax;
}

bool changed(const VOXEL& now, const VOXEL& was) {
    return now.x != was.x || now.y != was.y || now.z != was.z;
}

} // namespace

void AttractorTypeCommand(HWND hWnd) {
    savetype = type;
    if (runDialog(hWnd, kTypeDialog, TypeDialogProc) == IDCANCEL) {
        return;
    }
    if (type != savetype) {
        firstloop = 1;
    }
    lmapflag = 0;
}

void ParametersCommand(HWND hWnd) {
    savep = p[type];
    savemm = mm[type];
    saverot = rot[type];
    saveorder = rotationorder;
    savetype = type;
    saveres = res;
    if (runDialog(hWnd, kParamDialog, ParamDialogProc) == IDCANCEL) {
        return;
    }
    if (changed(p[type], savep) || changed(mm[type], savemm) || changed(rot[type], saverot) ||
        rotationorder != saveorder) {
        firstloop = 1;
    }
    if (res != saveres) {
        // The image of the new size may not be had: the old size stays.
        const int side = res;
        res = saveres;
        if (!SetResolution(hWnd, side)) {
            MessageBoxA(hWnd, "Not enough memory for an image of this size.",
                        "Memory allocation problem", MB_ICONEXCLAMATION);
            return;
        }
        firstloop = 1;
    }
}

void ColoringMethodCommand(HWND hWnd) {
    savemethod = method[type];
    if (runDialog(hWnd, kColoringDialog, ColoringMethodDialogProc) == IDCANCEL) {
        return;
    }
    if (method[type] != savemethod) {
        firstloop = 1;
    }
}

void BackgroundColorCommand(HWND hWnd) {
    saveback = back;
    if (runDialog(hWnd, kBackgroundDialog, BackgroundDialogProc) == IDCANCEL) {
        return;
    }
    if (back != saveback) {
        firstloop = 1;
    }
}

} // namespace orv
