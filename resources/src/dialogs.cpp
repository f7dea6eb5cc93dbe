// The dialog templates 200, 300, 400 and 500: modal frame with caption,
// "MS Sans Serif" at 8 points, places in dialog units. Button 1 is OK and
// button 2 Cancel everywhere. The arrow keys move the focus within a group:
// OK and Cancel with the edit boxes after them; each set of radio buttons.
#include "resources/resources.h"

namespace orv {

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

DialogItemTemplate okButton(int x, int y, int cx, int cy) {
    return {"BUTTON", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, x, y, cx, cy};
}

DialogItemTemplate cancelButton(int x, int y, int cx, int cy) {
    return {"BUTTON", IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, x, y, cx, cy};
}

DialogItemTemplate radio(int id, const char* text, int x, int y, int cx, int cy,
                         bool first = false) {
    return {"BUTTON", id, text, BS_AUTORADIOBUTTON | WS_TABSTOP | (first ? WS_GROUP : 0),
            x,        y,  cx,   cy};
}

DialogItemTemplate edit(int id, int x, int y, int cx, int cy) {
    return {"EDIT", id, "", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, x, y, cx, cy};
}

// A text starts a group of its own, so that the arrow keys never move the
// focus from the controls before it onto it.
DialogItemTemplate label(int id, const char* text, int x, int y, int cx, int cy) {
    return {"STATIC", id, text, SS_LEFT | WS_GROUP, x, y, cx, cy};
}

DialogTemplate dialog(const char* caption, int cx, int cy, std::vector<DialogItemTemplate> items) {
    return {kDialogStyle, caption, cx, cy, "MS Sans Serif", 8, std::move(items)};
}

} // namespace

DialogTemplate TypeDialogTemplate() {
    return dialog("Select the Attractor Type", 140, 112,
                  {okButton(16, 90, 50, 14), cancelButton(74, 90, 50, 14),
                   radio(220, "Standard", 16, 10, 140, 12, true),
                   radio(221, "Alpha", 16, 30, 140, 12), radio(222, "Beta", 16, 50, 140, 12),
                   radio(223, "Gamma", 16, 70, 140, 12)});
}

DialogTemplate ParamDialogTemplate() {
    return dialog("  Parameters", 330, 200,
                  {okButton(108, 177, 32, 14),
                   cancelButton(162, 177, 32, 14),
                   edit(310, 108, 6, 88, 12),
                   edit(311, 108, 23, 88, 12),
                   edit(312, 108, 40, 88, 12),
                   edit(313, 108, 57, 88, 12),
                   edit(314, 108, 74, 88, 12),
                   edit(315, 108, 91, 88, 12),
                   edit(316, 108, 108, 88, 12),
                   edit(317, 108, 125, 88, 12),
                   edit(318, 108, 142, 88, 12),
                   edit(319, 108, 159, 88, 12),
                   edit(320, 236, 6, 88, 12),
                   edit(321, 236, 23, 88, 12),
                   edit(322, 236, 40, 88, 12),
                   edit(323, 236, 57, 88, 12),
                   label(-1, "pixel resolution ( 200 - 4000 )", 8, 8, 90, 8),
                   label(-1, "a", 8, 25, 100, 8),
                   label(-1, "b", 8, 42, 100, 8),
                   label(-1, "c", 8, 59, 100, 8),
                   label(-1, "d", 8, 76, 100, 8),
                   label(-1, "X axis rotation (0 - 360)", 8, 93, 100, 8),
                   label(336, "Y axis rotation (0 - 360)", 8, 110, 100, 8),
                   label(337, "Z axis rotation (0 - 360)", 8, 127, 100, 8),
                   label(338, "x0", 8, 144, 100, 8),
                   label(339, "y0", 8, 161, 100, 8),
                   label(-1, "xmin", 214, 8, 20, 8),
                   label(-1, "xmax", 214, 25, 20, 8),
                   label(-1, "ymin", 214, 42, 20, 8),
                   label(-1, "ymax", 214, 59, 20, 8),
                   {"BUTTON", 350, "   Order of Rotation   ", BS_GROUPBOX, 214, 76, 110, 73},
                   radio(360, "XYZ", 236, 93, 40, 8, true),
                   radio(361, "XZY", 280, 93, 40, 8),
                   radio(362, "YXZ", 236, 110, 40, 8),
                   radio(363, "YZX", 280, 110, 40, 8),
                   radio(364, "ZXY", 236, 127, 40, 8),
                   radio(365, "ZYX", 280, 127, 40, 8)});
}

DialogTemplate BackgroundDialogTemplate() {
    return dialog("Select the Background Color", 183, 87,
                  {okButton(28, 62, 50, 14), cancelButton(112, 62, 50, 14),
                   edit(410, 72, 6, 90, 12), edit(411, 72, 23, 90, 12), edit(412, 72, 40, 90, 12),
                   label(-1, "red ( 0 - 255 )", 8, 8, 60, 8),
                   label(-1, "green ( 0 - 255 )", 8, 25, 60, 8),
                   label(-1, "blue ( 0 - 255 )", 8, 42, 60, 8)});
}

DialogTemplate ColoringMethodDialogTemplate() {
    return dialog("Select the Coloring Method", 140, 92,
                  {okButton(16, 70, 50, 14), cancelButton(74, 70, 50, 14),
                   radio(510, "Speed", 16, 10, 140, 12, true),
                   radio(511, "Hit Count", 16, 30, 140, 12),
                   radio(512, "Z-Plane", 16, 50, 140, 12)});
}

} // namespace orv
