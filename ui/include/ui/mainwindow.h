// The main window: its procedure, the render toggle and the off-screen
// image it owns.
#pragma once

#include "platform/user.h"

namespace orv {

LRESULT MainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Command 165: toggles render and pause and sets the menu states that go
// with it. The filter items are enabled on pausing only for the Hit Count
// method and when the low word of lParam is 0.
void RenderPauseResume(HWND hWnd, LPARAM lParam);

// The picture no longer shows the render state: the next render step starts
// a new render (sets firstloop).
void PictureIsObsolete();

// Makes side the image size: a black off-screen image of side x side pixels
// replaces the old one, and res and dres follow. False, with nothing
// changed, when there is no memory for the new image.
bool SetResolution(HWND hWnd, int side);

} // namespace orv
