// The handlers behind CommandHandler, one group of commands per file. Each
// runs only while rendering is paused, with the main window's handle. To
// restart means to set firstloop, so that the next render step begins a
// new picture.
#pragma once

#include "platform/shellapi.h"
#include "platform/types.h"

namespace orv {

// The dialogs: 110 attractor type, 115 parameters, 125 coloring method,
// 130 background colour.
void AttractorTypeCommand(HWND hWnd);
void ParametersCommand(HWND hWnd);
void ColoringMethodCommand(HWND hWnd);
void BackgroundColorCommand(HWND hWnd);

// 120: a random parameter set, then rendering; 168: the Lyapunov map.
void RandomParametersCommand(HWND hWnd);
void LyapunovMapCommand(HWND hWnd);

// 135: a ".map" palette, previewed and accepted; 140 and 145: the built-in
// palettes; 150: Clear Screen.
void PaletteFileCommand(HWND hWnd);
void DefaultPaletteCommand(HWND hWnd, UINT id);
void ClearScreenCommand(HWND hWnd);

// 155: load a parameter file, then render; 160: save one; 190: save the
// image and the parameter file beside it.
void LoadParametersCommand(HWND hWnd);
void SaveParametersCommand(HWND hWnd);
void SaveImageCommand(HWND hWnd);
// A parameter file dropped on the main window loads as 155 loads one.
void DroppedFilesCommand(HWND hWnd, HDROP drop);

// 170, 175, 180, 185: the filters.
void FilterCommand(UINT id);

// 100 help, 105 about, 192 exit, 198 and 199 the hidden toggles.
void HelpCommand();
void AboutCommand(HWND hWnd);
void ExitCommand(HWND hWnd);
void ParameterDisplayCommand();
void GhostImageCommand();

} // namespace orv
