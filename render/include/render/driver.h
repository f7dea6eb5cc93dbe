// The render driver: one render step per call.
#pragma once

namespace orv {

// The command that toggles render and pause.
constexpr unsigned kRenderCommand = 165;

// Returns 0 after a normal step and after a finished Lyapunov map, 1 when no
// hit-count buffer could be had.
int fractaldriver();

// Frees the hit-count buffer (when the main window goes).
void FreeHitCount();

} // namespace orv
