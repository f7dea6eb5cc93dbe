#include "filters/filters.h"

// Takes the window's context itself: a fault. Its own helpers whose names
// merely contain a window call are none.
void paint(HDC* hdcs) {
    HDC hdc = GetDC(g_hWnd);
    const WindowDC window{g_hWnd};
    TryGetDC(g_hWnd);
    ReleaseDCs(hdcs);
}
