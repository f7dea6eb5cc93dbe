// The Lyapunov map: the exponent of the selected formula over the plane of
// its parameters A (left -3.0 to right 3.0) and B (top 3.0 to bottom -3.0),
// drawn one image row per call.
#pragma once

#include "platform/gdi.h"

namespace orv {

int lmap(int iter);
void drawgrid(HDC hdc);

} // namespace orv
