// The state of the user interface: the running program's handles, screen,
// command line and windows, the copies taken before a dialog and the
// one-time advisories. Each group holds its start values; a reset assigns
// them.
#pragma once

#include "platform/gdi.h"
#include "platform/menu.h"
#include "render/types.h"

namespace orv {

struct ProgramState {
    HINSTANCE g_hInstance = nullptr;
    HACCEL g_hAccel = nullptr;
    int xscreen = 0;
    int yscreen = 0;
    // The command line as given: one path in double quotes, or nothing.
    char ogantemp[MAX_PATH] = "";
    // 1 while the start or the closing splash is to be shown, and while the
    // about window is open.
    int oksplash = 0;
    int oksplash2 = 0;
    int aboutflag = 0;
    // The save area for what a palette preview covers, 296 x 100.
    HDC g_phdc = nullptr;
    HBITMAP g_phBitmap = nullptr;
    // (0, 0, res, res): the off-screen image's rectangle, for clearing it.
    RECT VhdcRes{};
};

struct DialogState {
    // Copies taken before a dialog, to see what it changed or to undo it.
    int savetype = 0;
    int savemethod = 0;
    COLORREF saveback = 0;
    PARAM savep{};
    MINMAX savemm{};
    VOXEL saverot{};
    int saveorder = 0;
    // The c and d boxes of the parameters dialog while it initialises.
    HWND hE3wnd = nullptr;
    HWND hE4wnd = nullptr;
};

// 1 until the matching advisory has been shown once.
struct Advisories {
    int advisory = 1;
    int mapadvisory = 1;
    int nadvisory = 1;
    int eadvisory = 1;
    int logadvisory = 1;
};

extern ProgramState program;
extern DialogState dialogs;
extern Advisories advisories;

// The start-up failure texts, by failure code 1 to 4.
extern const char* const errormessage[4];

// The window class names.
extern const char szWinName[];
extern const char szPopupWinName[];
extern const char szSplashWinName[];
extern const char szSplash2WinName[];

// Puts every value above back to how the program starts.
void ResetUiState();

} // namespace orv
