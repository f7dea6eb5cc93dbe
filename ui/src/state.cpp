#include "ui/state.h"

namespace orv {

HINSTANCE g_hInstance = nullptr;
HACCEL g_hAccel = nullptr;
int xscreen = 0;
int yscreen = 0;
char ogantemp[MAX_PATH] = "";
const char* const errormessage[4] = {
    "Couldn't register main window class.",
    "Couldn't register popup window class.",
    "Couldn't create main window.",
    "Couldn't initialize graphics.",
};
int oksplash = 0;
int oksplash2 = 0;
int aboutflag = 0;

HDC g_phdc = nullptr;
HBITMAP g_phBitmap = nullptr;

const char szWinName[] = "WJWindow";
const char szPopupWinName[] = "WJPopupWindow";
const char szSplashWinName[] = "WJSplashWindow";
const char szSplash2WinName[] = "WJSplash2Window";

int savetype = 0;
int savemethod = 0;
COLORREF saveback = 0;
PARAM savep;
MINMAX savemm;
VOXEL saverot;
int saveorder = 0;

int advisory = 1;
int mapadvisory = 1;
int nadvisory = 1;
int eadvisory = 1;
int logadvisory = 1;

RECT VhdcRes;

HWND hE3wnd = nullptr;
HWND hE4wnd = nullptr;

void ResetUiState() {
    g_hInstance = nullptr;
    g_hAccel = nullptr;
    xscreen = 0;
    yscreen = 0;
    ogantemp[0] = '\0';
    oksplash = 0;
    oksplash2 = 0;
    aboutflag = 0;
    g_phdc = nullptr;
    g_phBitmap = nullptr;
    savetype = 0;
    savemethod = 0;
    saveback = 0;
    savep = PARAM{};
    savemm = MINMAX{};
    saverot = VOXEL{};
    saveorder = 0;
    advisory = 1;
    mapadvisory = 1;
    nadvisory = 1;
    eadvisory = 1;
    logadvisory = 1;
    VhdcRes = RECT{};
    hE3wnd = nullptr;
    hE4wnd = nullptr;
}

} // namespace orv
