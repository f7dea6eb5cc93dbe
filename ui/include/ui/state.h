// The state of the user interface: the program's handles, the screen, the
// command line, the start-up failure texts, the copies taken before a
// dialog and the one-time advisories.
#pragma once

#include "platform/gdi.h"
#include "platform/menu.h"
#include "render/types.h"

namespace orv {

extern HINSTANCE g_hInstance;
extern HACCEL g_hAccel;
extern int xscreen;
extern int yscreen;
extern char ogantemp[MAX_PATH];
extern const char* const errormessage[4];
extern int oksplash;
extern int oksplash2;
extern int aboutflag;

// The save area for what a palette preview covers, 296 x 100.
extern HDC g_phdc;
extern HBITMAP g_phBitmap;

// The window class names.
extern const char szWinName[];
extern const char szPopupWinName[];
extern const char szSplashWinName[];
extern const char szSplash2WinName[];

// Copies taken before a dialog, to see what it changed or to undo it.
extern int savetype;
extern int savemethod;
extern COLORREF saveback;
extern PARAM savep;
extern MINMAX savemm;
extern VOXEL saverot;
extern int saveorder;

// 1 until the matching advisory has been shown once.
extern int advisory;
extern int mapadvisory;
extern int nadvisory;
extern int eadvisory;
extern int logadvisory;

// (0, 0, res, res): the off-screen image's rectangle, for clearing it.
extern RECT VhdcRes;

// The c and d boxes of the parameters dialog while it initialises.
extern HWND hE3wnd;
extern HWND hE4wnd;

// Puts every value above back to how the program starts.
void ResetUiState();

} // namespace orv
