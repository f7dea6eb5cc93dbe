#include "render/rotate.h"
#include "render/state.h"

#include <cmath>

namespace orv {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kOneOver180 = 1.0 / 180.0;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kThreeHalfPi = 4.71238898038469;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kAxis = 1e-6;

void stepX(VOXEL& q) {
    if (rot[type].x != 0.0) {
        rotate(&q.y, &q.z, static_cast<double>(xradians_user));
    }
}

void stepY(VOXEL& q) {
    if (rot[type].y != 0.0) {
        rotate(&q.x, &q.z, static_cast<double>(yradians_user));
    }
}

void stepZ(VOXEL& q) {
    if (rot[type].z != 0.0) {
        rotate(&q.x, &q.y, static_cast<double>(zradians_user));
    }
}

} // namespace

int rotatexyz(VOXEL xyz, VOXEL* xyzrotate) {
    *xyzrotate = xyz;
    VOXEL& q = *xyzrotate;
    xradians_user =
        static_cast<long double>(kPi) * rot[type].x * static_cast<long double>(kOneOver180);
    yradians_user =
        static_cast<long double>(kPi) * rot[type].y * static_cast<long double>(kOneOver180);
    zradians_user =
        static_cast<long double>(kPi) * rot[type].z * static_cast<long double>(kOneOver180);
    switch (rotationorder) {
    case 0:
        stepX(q);
        stepY(q);
        stepZ(q);
        break;
    case 1:
        stepX(q);
        stepZ(q);
        stepY(q);
        break;
    case 2:
        stepY(q);
        stepX(q);
        stepZ(q);
        break;
    case 3:
        stepY(q);
        stepZ(q);
        stepX(q);
        break;
    case 4:
        stepZ(q);
        stepX(q);
        stepY(q);
        break;
    default:
        stepZ(q);
        stepY(q);
        stepX(q);
        break;
    }
    return 0;
}

int rotate(double* pos1, double* pos2, double radians_user) {
    const double modulus = std::sqrt(*pos1 * *pos1 + *pos2 * *pos2);
    double radians_start;
    if (std::fabs(*pos2) < kAxis) {
        radians_start = *pos1 >= 0.0 ? kHalfPi : kThreeHalfPi;
    } else {
        radians_start = std::atan2(*pos1, *pos2);
    }
    if (radians_start < 0.0) {
        radians_start += kTwoPi;
    }
    double radians_finish = radians_start + radians_user;
    if (radians_finish > kTwoPi) {
        radians_finish -= kTwoPi;
    }
    *pos1 = modulus * std::sin(radians_finish);
    *pos2 = modulus * std::cos(radians_finish);
    return 0;
}

} // namespace orv
