// Modal dialogs built from registered templates, and their controls.
//
// A dialog and each of its controls are windows. A control keeps its state
// (text, check, enabled) in the platform core, so that a dialog procedure
// behaves the same on every backend; the backend only shows it and feeds
// the user's edits back.
#pragma once

#include "platform/types.h"
#include "platform/user.h"

#include <string>
#include <vector>

namespace orv {

using INT_PTR = std::intptr_t;
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// Control styles that the templates use.
constexpr DWORD BS_PUSHBUTTON = 0x00000000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x00000001;
constexpr DWORD BS_AUTORADIOBUTTON = 0x00000009;
constexpr DWORD BS_GROUPBOX = 0x00000007;
constexpr DWORD BS_TYPEMASK = 0x0000000F;
constexpr DWORD ES_LEFT = 0x00000000;
constexpr DWORD ES_AUTOHSCROLL = 0x00000080;
constexpr DWORD SS_LEFT = 0x00000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD DS_MODALFRAME = 0x00000080;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;

// Button messages and notifications.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;
constexpr WORD BN_CLICKED = 0;
constexpr WORD EN_CHANGE = 0x0300;

// A control of a dialog template: its window class ("BUTTON", "EDIT" or
// "STATIC"), id (-1 for none), text, style, and place in dialog units.
struct DialogItemTemplate {
    std::string className;
    int id = -1;
    std::string text;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    std::string caption;
    int cx = 0;
    int cy = 0;
    std::string fontName;
    int pointSize = 0;
    std::vector<DialogItemTemplate> items;
};

// Resource names: a string, or a number made into a name by
// MAKEINTRESOURCEA.
inline const char* MAKEINTRESOURCEA(WORD id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(const char* name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// Makes a dialog template known under a resource number, for
// DialogBoxParamA.
void RegisterDialogResource(WORD id, DialogTemplate dialog);
const DialogTemplate* FindDialogResource(const char* name);

// Creates the dialog, sends WM_INITDIALOG with init, disables the owner and
// runs the dialog until EndDialog; returns EndDialog's result, or -1 when
// the template or the procedure is missing.
INT_PTR DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND owner, DLGPROC proc,
                        LPARAM init);
BOOL EndDialog(HWND dialog, INT_PTR result);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND control);
UINT GetDlgItemTextA(HWND dialog, int id, char* buffer, int size);
BOOL SetDlgItemTextA(HWND dialog, int id, const char* text);
BOOL CheckRadioButton(HWND dialog, int first, int last, int checked);
UINT IsDlgButtonChecked(HWND dialog, int id);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

// The keyboard focus: the window keys go to, nullptr when it is gone.
// DialogBoxParamA gives it to the dialog's first tab stop when the dialog
// procedure's WM_INITDIALOG returns TRUE. SetFocus returns the window that
// had it.
HWND GetFocus();
HWND SetFocus(HWND hwnd);

// The control after (or, with previous, before) control in its group,
// skipping hidden and disabled ones and wrapping round within the group;
// control itself when no other one qualifies. A group starts at a control
// with WS_GROUP, or at the dialog's first control, and runs in template
// order up to the next control with WS_GROUP.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// The dialog manager's part of a key press on a control of the dialog: an
// arrow key on a control that does not take arrows itself (any but an edit
// box) moves the focus within the control's group, Up and Left back, Down
// and Right on. An automatic radio button reached so is clicked: it is
// checked, the others of its group are not, and the dialog procedure gets
// its BN_CLICKED. Returns TRUE when the message was such a key. Tab, Return
// and Esc are left to the backend's dialog.
BOOL IsDialogMessageA(HWND dialog, MSG* msg);

// What backends read: the template of a running dialog, its controls in
// template order, and whether EndDialog was called.
const DialogTemplate* DialogTemplateOf(HWND dialog);
std::vector<HWND> DialogControls(HWND dialog);
bool DialogEnded(HWND dialog);
// A backend reports the user's edit of a control's text or click of a
// radio button; the core keeps the state (and sends no message back to the
// backend for it).
void UserEditedText(HWND control, const std::string& text);
void UserCheckedRadio(HWND control);
// A backend reports that the user moved the keyboard focus to a window.
void UserFocused(HWND hwnd);

} // namespace orv
