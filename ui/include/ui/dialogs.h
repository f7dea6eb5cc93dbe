// The procedures of the four dialogs: attractor type (200), parameters
// (300), background colour (400) and coloring method (500). Each fills its
// controls at WM_INITDIALOG and acts on OK (1) and Cancel (2), writing the
// render state directly; it ends with 1 after OK and 2 after Cancel.
#pragma once

#include "platform/dialog.h"

namespace orv {

INT_PTR TypeDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR ParamDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR BackgroundDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR ColoringMethodDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace orv
