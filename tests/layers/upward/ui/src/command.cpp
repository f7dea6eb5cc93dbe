#include "filters/filters.h"

void command() {
    SetCursor(wait);
    EnableWindow(g_hWnd, FALSE);
}
