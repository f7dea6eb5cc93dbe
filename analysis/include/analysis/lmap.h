// The Lyapunov map: the exponent of the selected formula over the plane of
// its parameters A (left -3.0 to right 3.0) and B (top 3.0 to bottom -3.0),
// drawn one image row per call.
#pragma once

#include "platform/gdi.h"

namespace orv {

// Draws row iter of the map (iter 0 starts a new map) on the image and the
// window; returns 1 once the last row is drawn, else 0.
int lmap(int iter);
// Draws the labelled grid over the finished map.
void drawgrid(HDC hdc);

} // namespace orv
