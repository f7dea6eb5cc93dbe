// The largest Lyapunov exponent of the selected formula.
#pragma once

namespace orv {

// The last estimate, in bits per iteration. The Lyapunov map also leaves the
// exponent of the last pixel it coloured here.
extern double LExp;

// Estimates the exponent of p[type] from two nearby orbits and leaves it in
// LExp; returns 0.
int lyapunov();

} // namespace orv
