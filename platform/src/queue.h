// Internal links between the parts of the platform core.
#pragma once

#include "platform/types.h"

namespace orv {

// The first window (or the given one) that waits for WM_PAINT.
HWND FindInvalidWindow(HWND filter);
void ResetWindows();
void ResetQueue();
void ResetMenus();
void ResetCursors();
// The modifier keys held when the last input message was taken.
unsigned CurrentModifiers();

} // namespace orv
