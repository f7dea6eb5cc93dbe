#include "render/maps.h"
#include "render/rotate.h"
#include "render/state.h"

#include <cmath>

namespace orv {

namespace {

// Ghost image counters of alpha, beta and gamma.
int ghostcount[3] = {0, 0, 0};

// Positions this far from the image are never drawn; keeping conversions
// within this range also keeps non-finite or huge coordinates (possible only
// from damaged parameter files) away from the int conversion.
constexpr double kFarAway = 1e9;

// Ghost image mode: from the 10001st to the 20000th call after a reset the
// point is returned mirrored through the origin in x and y.
void ghost(int& count, double& x, double& y) {
    if (ghostflag == 0) {
        return;
    }
    count = count + 1;
    if (count > 10000) {
        if (count == 20000) {
            count = 0;
        }
        x = -x;
        y = -y;
    }
}

// Inlined into every map: the projection runs once per render step.
[[gnu::always_inline]] inline void projectPoint(const VOXEL& point, int* xpos, int* ypos) {
    const MINMAX& m = mm[type];
    const double column = (point.x - m.xmin) * dres / (m.xmax - m.xmin);
    const double row = (point.y - m.ymin) * dres / (m.ymax - m.ymin);
    *xpos = column > -kFarAway && column < kFarAway ? static_cast<int>(column) : -1;
    *ypos = row > -kFarAway && row < kFarAway ? res - 1 - static_cast<int>(row) : -1;
}

[[gnu::always_inline]] inline void finish(const VOXEL& next, int* xpos, int* ypos) {
    const VOXEL& r = rot[type];
    if (r.x == 0.0 && r.y == 0.0 && r.z == 0.0) {
        projectPoint(next, xpos, ypos);
    } else {
        VOXEL turned;
        rotatexyz(next, &turned);
        projectPoint(turned, xpos, ypos);
    }
}

} // namespace

void project(const VOXEL& point, int* xpos, int* ypos) {
    projectPoint(point, xpos, ypos);
}

int standard(VOXEL old, VOXEL* next, int, int* xpos, int* ypos) {
    const PARAM& q = p[type];
    next->x = q.c * std::sin(q.b * old.x) + std::sin(q.b * old.y);
    next->y = q.d * std::sin(q.a * old.y) + std::sin(q.a * old.x);
    next->z = std::sin(old.x);
    finish(*next, xpos, ypos);
    return 0;
}

int alpha(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos) {
    int& count = ghostcount[0];
    if (iter == 0) {
        count = 0;
    }
    const PARAM& q = p[type];
    const double s = std::sin(q.b * old.x);
    const double t = std::sin(q.a * old.y);
    const double u = std::sin(q.c * old.y);
    next->x = std::sin(q.b * old.y) + s * s + s * s * s;
    next->y = std::sin(q.a * old.x) + t * t + u * u * u;
    next->z = std::sin(old.x);
    ghost(count, next->x, next->y);
    finish(*next, xpos, ypos);
    return 0;
}

int beta(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos) {
    int& count = ghostcount[1];
    if (iter == 0) {
        count = 0;
    }
    const PARAM& q = p[type];
    const double s = std::sin(q.b * old.x);
    const double t = std::sin(q.a * old.y);
    next->x = std::sin(q.b * old.y) + s * s;
    next->y = std::sin(q.a * old.x) + t * t;
    next->z = std::sin(old.x);
    ghost(count, next->x, next->y);
    finish(*next, xpos, ypos);
    return 0;
}

int gamma(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos) {
    int& count = ghostcount[2];
    if (iter == 0) {
        count = 0;
    }
    const PARAM& q = p[type];
    const double s = std::sin(q.b * old.x);
    const double t = std::sin(q.a * old.y);
    next->x = std::fabs(std::sin(q.b * old.y)) + s * s;
    next->y = std::fabs(std::sin(q.a * old.x)) + t * t;
    next->z = std::sin(old.x);
    ghost(count, next->x, next->y);
    finish(*next, xpos, ypos);
    return 0;
}

int GhostCount(int map) {
    return ghostcount[map];
}

} // namespace orv
