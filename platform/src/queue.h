// Internal links between the parts of the platform core.
#pragma once

#include "platform/types.h"

#include <memory>

namespace orv {

// The first window (or the given one) that waits for WM_PAINT.
HWND FindInvalidWindow(HWND filter);
void ResetWindows();
void ResetDialogs();
// Keeps a window made outside CreateWindowExA (a dialog or a control) with
// the others, so that handles stay valid until the platform state is reset.
HWND AddWindowRecord(std::unique_ptr<Window> window);
void ResetQueue();
void ResetMenus();
void ResetCursors();
void ResetBitmapResources();
// The modifier keys held when the last input message was taken.
unsigned CurrentModifiers();

} // namespace orv
