#include "analysis/lyapunov.h"
#include "render/state.h"

namespace orv {

double LExp = 0.0;

int lyapunov() {
    const RenderKernel kernel(RenderInputs());
    VOXEL v = kernel.start().point;
    VOXEL ve;
    // The orbit and its neighbour advance one ghost image counter, the one
    // the render uses, as they always have.
    int count = 0;
    double logaccum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        v = kernel.map(v, count);
        if (i < 100) {
            continue;
        }
        if (i == 100) {
            ve = v;
            ve.x = v.x + 1e-6;
        }
        ve = kernel.map(ve, count);
        logaccum = logaccum + Separate(v, ve);
    }
    ghostcount = count;
    LExp = (1.442694 * logaccum) / 9900;
    return 0;
}

} // namespace orv
