// The start splash, shown for two seconds while the main window is made,
// and the closing splash, whose star field twinkles until a key or a click
// and which then ends the program.
#pragma once

#include "platform/gdi.h"
#include "platform/user.h"

namespace orv {

// The pictures while their splash shows them.
extern HDC g_vSplashhdc;
extern HBITMAP g_hSplashBitmap;

// The closing splash's background: red 0, green 16, blue 48.
constexpr COLORREF kSplash2Background = 0x00301000;

// Shows the start picture centred on the screen for two seconds, with the
// mouse cursor hidden and hWnd (the main window being made) disabled.
// Returns 0 once the splash is gone.
int splash(HWND hWnd);
LRESULT SplashWindowProc(HWND hSplashwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Blanks the main window and opens the closing splash over it, with hWnd
// disabled; returns 0 at once. The message loop animates the splash.
int splash2(HWND hWnd);
LRESULT Splash2WindowProc(HWND hSplash2wnd, UINT message, WPARAM wParam, LPARAM lParam);

// The 36 stars of the closing splash, where they stand when it opens.
struct StarField {
    POINT stars[36] = {{20, 23},  {22, 63},  {41, 28},  {55, 38},  {64, 51},  {70, 68},
                       {91, 6},   {96, 43},  {99, 63},  {133, 20}, {159, 49}, {163, 46},
                       {167, 42}, {172, 7},  {192, 70}, {199, 21}, {209, 53}, {219, 59},
                       {220, 47}, {220, 52}, {227, 7},  {227, 68}, {238, 66}, {242, 44},
                       {246, 28}, {247, 61}, {262, 19}, {270, 16}, {280, 14}, {290, 53},
                       {291, 5},  {293, 19}, {296, 11}, {156, 88}, {312, 88}, {0, 0}};
};

// One twinkle step on the window surface hdc and the composed image vhdc:
// each star of the field moves one pixel to the right (from x = 319 to 0)
// and takes a new random shade of yellow.
void stars(HDC hdc, HDC vhdc, StarField& field);

} // namespace orv
