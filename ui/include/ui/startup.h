// Start-up and the message loop that drives rendering.
#pragma once

#include "platform/types.h"

namespace orv {

// lpszArgs is the command-line text after the program name: one parameter
// file path in double quotes, or nothing. Returns 0 after a start-up
// failure (which it reports), else the message loop's exit value.
int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInst, const char* lpszArgs, int nCmdShow);

// Registers the window classes: 0, or 1 (main window) or 2 (popup window)
// when a class cannot be registered.
int InitWindowClass(HINSTANCE hInstance);

// Creates the full-screen main window: 0, or 3 when it cannot be created
// and 4 when the display has fewer than 24 bits per pixel.
int CreateMainWindow(HINSTANCE hInstance, int nCmdShow);

// Checks the display depth and installs Default Palette 1: 0, or 1 when
// the depth is below 24.
int initgraphics(HWND hWnd);

// The message loop: one render step after every message while rendering
// runs, and never an empty queue then; while paused it waits for input.
// Returns the quit message's wParam.
unsigned ProgramDriver();

} // namespace orv
