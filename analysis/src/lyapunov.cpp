#include "analysis/lyapunov.h"
#include "render/state.h"

#include <cmath>

namespace orv {

double LExp = 0.0;

int lyapunov() {
    VOXEL v{p[type].xstart, p[type].ystart, p[type].zstart};
    VOXEL vnew;
    VOXEL ve;
    VOXEL venew;
    int xpos;
    int ypos;
    double logaccum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        fpointer[type](v, &vnew, i, &xpos, &ypos);
        v = vnew;
        if (i < 100) {
            continue;
        }
        if (i == 100) {
            ve = v;
            ve.x = v.x + 1e-6;
        }
        fpointer[type](ve, &venew, i, &xpos, &ypos);
        ve = venew;
        const double dx = ve.x - v.x;
        const double dy = ve.y - v.y;
        const double dz = ve.z - v.z;
        double distance = std::sqrt(dx * dx + dy * dy);
        if (!(distance >= 1e-16)) {
            distance = 1e-16;
        }
        const double resp = std::log(distance * 1e6);
        logaccum = logaccum + resp;
        const double dfactor = 1e-6 / distance;
        ve.x = v.x + dx * dfactor;
        ve.y = v.y + dy * dfactor;
        ve.z = v.z + dz * dfactor;
    }
    LExp = (1.442694 * logaccum) / 9900;
    return 0;
}

} // namespace orv
