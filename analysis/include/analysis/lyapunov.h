// The largest Lyapunov exponent of the selected formula.
#pragma once

namespace orv {

// The last estimate, in bits per iteration.
extern double LExp;

} // namespace orv
