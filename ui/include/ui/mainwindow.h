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

// Replaces the off-screen image by a black one of side x side pixels; false
// (and the old image kept) when there is no memory for it.
bool ReplaceImage(HWND hWnd, int side);

} // namespace orv
