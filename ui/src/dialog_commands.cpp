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
    return DialogBoxParamA(program.g_hInstance, MAKEINTRESOURCEA(id), hWnd, proc, 0);
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
    dialogs.savetype = type;
    if (runDialog(hWnd, kTypeDialog, TypeDialogProc) == IDCANCEL) {
        return;
    }
    if (type != dialogs.savetype) {
        PictureIsObsolete();
    }
    lmapflag = 0;
}

void ParametersCommand(HWND hWnd) {
    dialogs.savep = p[type];
    dialogs.savemm = mm[type];
    dialogs.saverot = rot[type];
    dialogs.saveorder = rotationorder;
    dialogs.savetype = type;
    saveres = res;
    if (runDialog(hWnd, kParamDialog, ParamDialogProc) == IDCANCEL) {
        return;
    }
    if (changed(p[type], dialogs.savep) || changed(mm[type], dialogs.savemm) ||
        changed(rot[type], dialogs.saverot) || rotationorder != dialogs.saveorder) {
        PictureIsObsolete();
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
        PictureIsObsolete();
    }
}

void ColoringMethodCommand(HWND hWnd) {
    dialogs.savemethod = method[type];
    if (runDialog(hWnd, kColoringDialog, ColoringMethodDialogProc) == IDCANCEL) {
        return;
    }
    if (method[type] != dialogs.savemethod) {
        PictureIsObsolete();
    }
}

void BackgroundColorCommand(HWND hWnd) {
    dialogs.saveback = back;
    if (runDialog(hWnd, kBackgroundDialog, BackgroundDialogProc) == IDCANCEL) {
        return;
    }
    if (back != dialogs.saveback) {
        PictureIsObsolete();
    }
}

} // namespace orv
