// The background colour dialog: red, green and blue from 0 to 255.
#include "render/limits.h"
#include "render/state.h"
#include "ui/dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace orv {

namespace {

constexpr int kBoxes[3] = {410, 411, 412};

} // namespace

INT_PTR BackgroundDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        const int parts[3] = {red, green, blue};
        for (int i = 0; i < 3; ++i) {
            char text[16];
            std::snprintf(text, sizeof text, "%d", parts[i]);
            SetDlgItemTextA(hDlg, kBoxes[i], text);
        }
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK: {
        int parts[3];
        for (int i = 0; i < 3; ++i) {
            char text[30];
            GetDlgItemTextA(hDlg, kBoxes[i], text, 30);
            parts[i] = ClampColor(std::strtol(text, nullptr, 10));
        }
        SetBackground(parts[0], parts[1], parts[2]);
        EndDialog(hDlg, 1);
        return TRUE;
    }
    case IDCANCEL:
        EndDialog(hDlg, 2);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace orv
