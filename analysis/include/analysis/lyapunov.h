// The largest Lyapunov exponent of the selected formula.
#pragma once

#include "render/kernel.h"

namespace orv {

// The last estimate, in bits per iteration. The Lyapunov map also leaves the
// exponent of the last pixel it coloured here.
extern double LExp;

// Estimates the exponent of p[type] from two nearby orbits and leaves it in
// LExp; returns 0.
int lyapunov();

// The same estimate for any kernel's parameter set, touching no global:
// the orbit and its neighbour advance ghostcount as the render's own counter.
double LyapunovOf(const RenderKernel& kernel, int& ghostcount);

} // namespace orv
