// The parameters dialog: the image size, a to d, the rotations and their
// order, the start point and the view window of the selected type.
#include "analysis/lyapunov.h"
#include "render/limits.h"
#include "render/state.h"
#include "ui/dialogs.h"
#include "ui/state.h"

#include <cstdio>
#include <cstdlib>

namespace orv {

namespace {

// Fifteen decimals of a value as large as a loaded file may hold still fit.
constexpr int kTextSize = 400;

void showReal(HWND hDlg, int id, double value) {
    char text[kTextSize];
    std::snprintf(text, sizeof text, "%.15f", value);
    SetDlgItemTextA(hDlg, id, text);
}

// At most 29 characters of a box are read.
double readReal(HWND hDlg, int id) {
    char text[30];
    GetDlgItemTextA(hDlg, id, text, 30);
    return std::strtod(text, nullptr);
}

long readInteger(HWND hDlg, int id) {
    char text[30];
    GetDlgItemTextA(hDlg, id, text, 30);
    return std::strtol(text, nullptr, 10);
}

void initDialog(HWND hDlg) {
    CheckRadioButton(hDlg, 360, 365, 360 + rotationorder);
    char text[16];
    std::snprintf(text, sizeof text, "%d", res);
    SetDlgItemTextA(hDlg, 310, text);
    const PARAM& q = p[type];
    const double shown[13] = {q.a,           q.b,           q.c,          q.d,      rot[type].x,
                              rot[type].y,   rot[type].z,   q.xstart,     q.ystart, mm[type].xmin,
                              mm[type].xmax, mm[type].ymin, mm[type].ymax};
    for (int i = 0; i < 13; ++i) {
        showReal(hDlg, 311 + i, shown[i]);
    }
    dialogs.hE3wnd = GetDlgItem(hDlg, 313);
    dialogs.hE4wnd = GetDlgItem(hDlg, 314);
    EnableWindow(dialogs.hE4wnd, type == 0 ? TRUE : FALSE);
    EnableWindow(dialogs.hE3wnd, type == 0 || type == 1 ? TRUE : FALSE);
}

// Reads one axis of the view window; false (after the message) when it is
// too narrow.
bool readRange(HWND hDlg, int lowBox, double outerLow, double outerHigh, double& low, double& high,
               const char* refusal) {
    double temp1 = readReal(hDlg, lowBox);
    double temp2 = readReal(hDlg, lowBox + 1);
    if (!ClampRange(temp1, temp2, outerLow, outerHigh)) {
        MessageBoxA(nullptr, refusal, "Parameter Error", MB_ICONWARNING);
        return false;
    }
    low = temp1;
    high = temp2;
    return true;
}

void warnAboutExponent() {
    char text[200];
    if (LExp < 0.3) {
        std::snprintf(text, sizeof text,
                      "Lyapunov exponent: %.6f\n\nThe attractor may not be chaotic\n   enough to "
                      "produce an appealing\n   image.",
                      LExp);
        MessageBoxA(nullptr, text, "WJ Orvantis", MB_ICONWARNING);
    } else if (debugflag != 0) {
        std::snprintf(text, sizeof text, "Lyapunov exponent: %.15f", LExp);
        MessageBoxA(nullptr, text, "WJ Orvantis", MB_ICONINFORMATION);
    }
}

void onOk(HWND hDlg) {
    PARAM T = p[type];
    for (int i = 0; i < 6; ++i) {
        if (SendDlgItemMessageA(hDlg, 360 + i, BM_GETCHECK, 0, 0) != 0) {
            rotationorder = i;
            break;
        }
    }
    res = ClampResolution(readInteger(hDlg, 310));
    T.a = ClampAB(readReal(hDlg, 311));
    T.b = ClampAB(readReal(hDlg, 312));
    T.c = ClampCD(readReal(hDlg, 313));
    T.d = ClampCD(readReal(hDlg, 314));
    rot[type].x = ClampRotation(readReal(hDlg, 315));
    rot[type].y = ClampRotation(readReal(hDlg, 316));
    rot[type].z = ClampRotation(readReal(hDlg, 317));
    T.xstart = ClampStart(readReal(hDlg, 318));
    T.ystart = ClampStart(readReal(hDlg, 319));
    if (!readRange(hDlg, 320, mmrange.xmin, mmrange.xmax, mm[type].xmin, mm[type].xmax,
                   "xmax - xmin must be >= 0.05") ||
        !readRange(hDlg, 322, mmrange.ymin, mmrange.ymax, mm[type].ymin, mm[type].ymax,
                   "ymax - ymin must be >= 0.05")) {
        return;
    }
    T.zstart = p[type].zstart;
    p[type] = T;
    lyapunov();
    warnAboutExponent();
    EndDialog(hDlg, 1);
}

// Cancel undoes everything a refused OK may have stored already, from the
// copies the caller took before the dialog.
void onCancel(HWND hDlg) {
    type = dialogs.savetype;
    p[type] = dialogs.savep;
    res = saveres;
    rot[type] = dialogs.saverot;
    rotationorder = dialogs.saveorder;
    mm[type] = dialogs.savemm;
    EndDialog(hDlg, 2);
}

} // namespace

INT_PTR ParamDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            onOk(hDlg);
            return TRUE;
        case IDCANCEL:
            onCancel(hDlg);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace orv
