// The commands of the menu and the accelerator table other than 165.
#pragma once

#include "platform/types.h"

namespace orv {

// Carries out command id for the main window; runs only while rendering is
// paused. Ids without a command are ignored.
void CommandHandler(HWND hWnd, UINT id);

} // namespace orv
