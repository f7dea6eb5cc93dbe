// Turning a point about the three axes.
#pragma once

#include "render/types.h"

namespace orv {

// Writes xyz rotated by rot[type] in the order rotationorder.
int rotatexyz(VOXEL xyz, VOXEL* xyzrotate);
// Rotates the pair (*pos1, *pos2) by radians_user in polar form.
int rotate(double* pos1, double* pos2, double radians_user);

} // namespace orv
