// The drawing targets and cursors the engine draws with. The main window
// creates them; engine code only uses them.
#pragma once

#include "platform/gdi.h"
#include "platform/user.h"

namespace orv {

extern HWND g_hWnd; // the main window
extern HDC g_vhdc;  // the off-screen image, res x res
extern HBITMAP g_hBitmap;
extern RECT ClientRes; // the main window's client rectangle, taken once

extern HCURSOR cross;     // paused
extern HCURSOR hourglass; // a render step, the image export
extern HCURSOR wait;      // equalization, the random search

} // namespace orv
