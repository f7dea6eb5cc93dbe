// The four attractor maps. Each computes the next point from the current one
// with the parameters of the selected type, and the pixel at which the
// (rotated) new point is drawn.
#pragma once

#include "render/types.h"

namespace orv {

int standard(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);
int alpha(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);
int beta(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);
int gamma(VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);

// Projects a point of the attractor's x-y plane onto the image of the
// selected type's view window.
void project(const VOXEL& point, int* xpos, int* ypos);

// The ghost image counters of alpha, beta and gamma, in that order.
int GhostCount(int map);

} // namespace orv
