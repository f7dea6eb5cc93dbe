// The commands of the menu and the accelerator table other than 165.
#pragma once

#include "platform/types.h"

namespace orv {

// Carries out command id for the main window; runs only while rendering is
// paused. Ids without a command are ignored.
void CommandHandler(HWND hWnd, UINT id);

// Applies the filter of command id (170, 175, 180 or 185) as its command
// does, without the advisory: the squared logarithm (185) sets logsquare
// only while it runs. Returns the filter's result.
int RunFilter(UINT id);

} // namespace orv
