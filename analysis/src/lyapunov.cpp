#include "analysis/lyapunov.h"
#include "render/state.h"

namespace orv {

double LExp = 0.0;

double LyapunovOf(const RenderKernel& kernel, int& count) {
    VOXEL v = kernel.start().point;
    VOXEL ve;
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
    return (1.442694 * logaccum) / 9900;
}

int lyapunov() {
    // The orbit and its neighbour advance one ghost image counter, the one
    // the render uses, as they always have.
    int count = 0;
    LExp = LyapunovOf(RenderKernel(RenderInputs()), count);
    ghostcount = count;
    return 0;
}

} // namespace orv
