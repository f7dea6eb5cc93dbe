// The about window. Until it shows its picture it is a plain window.
#include "ui/popup.h"

namespace orv {

LRESULT PopupWindowProc(HWND hPopupwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hPopupwnd, message, wParam, lParam);
}

} // namespace orv
