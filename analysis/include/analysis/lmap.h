// The Lyapunov map: the exponent of the selected formula over the plane of
// its parameters A (left -3.0 to right 3.0) and B (top 3.0 to bottom -3.0),
// drawn one image row per call.
#pragma once

#include "platform/gdi.h"
#include "render/types.h"

#include <functional>

namespace orv {

// Draws row iter of the map (iter 0 starts a new map) on the image and on
// the window's surface window; returns 1 once the last row is drawn, else 0.
int lmap(HDC window, int iter);
// Draws the labelled grid over the finished map.
void drawgrid(HDC hdc);

// The exponents of row `row` of the map of type t with parameter set q,
// side pixels wide, computed on every core.
void LmapRow(int t, const PARAM& q, int side, int row, double* exponents);

// Where lmap takes the exponents of a row from: rows computed elsewhere
// beforehand. Empty, as at the start, lmap computes each row itself.
using LmapRows = std::function<void(int row, double* exponents)>;
void SetLmapRows(LmapRows rows);

} // namespace orv
