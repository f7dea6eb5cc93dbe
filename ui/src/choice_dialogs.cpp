// The attractor type and coloring method dialogs: one radio button per
// choice.
#include "render/state.h"
#include "ui/dialogs.h"

namespace orv {

namespace {

// Shows value as the checked button of first..last; OK stores the first
// checked one (or leaves value as it is when none is).
INT_PTR chooseOne(HWND hDlg, UINT message, WPARAM wParam, int first, int last, int& value) {
    switch (message) {
    case WM_INITDIALOG:
        CheckRadioButton(hDlg, first, last, first + value);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            for (int id = first; id <= last; ++id) {
                if (SendDlgItemMessageA(hDlg, id, BM_GETCHECK, 0, 0) != 0) {
                    value = id - first;
                    break;
                }
            }
            EndDialog(hDlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, 2);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR TypeDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    return chooseOne(hDlg, message, wParam, 220, 223, type);
}

INT_PTR ColoringMethodDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    return chooseOne(hDlg, message, wParam, 510, 512, method[type]);
}

} // namespace orv
