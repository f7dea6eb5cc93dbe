#include "render/kernel.h"

#include <cmath>

namespace orv {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kOneOver180 = 1.0 / 180.0;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kThreeHalfPi = 4.71238898038469;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kAxis = 1e-6;

long double Radians(double degrees) {
    return static_cast<long double>(kPi) * degrees * static_cast<long double>(kOneOver180);
}

} // namespace

Rotation::Rotation(const VOXEL& degrees, int order)
    : degrees_(degrees), order_(order), turns_(Turns(degrees)), xradians_(Radians(degrees.x)),
      yradians_(Radians(degrees.y)), zradians_(Radians(degrees.z)) {}

void Rotation::turnX(VOXEL& q) const {
    if (degrees_.x != 0.0) {
        RotatePair(q.y, q.z, static_cast<double>(xradians_));
    }
}

void Rotation::turnY(VOXEL& q) const {
    if (degrees_.y != 0.0) {
        RotatePair(q.x, q.z, static_cast<double>(yradians_));
    }
}

void Rotation::turnZ(VOXEL& q) const {
    if (degrees_.z != 0.0) {
        RotatePair(q.x, q.y, static_cast<double>(zradians_));
    }
}

VOXEL Rotation::apply(VOXEL q) const {
    switch (order_) {
    case 0:
        turnX(q);
        turnY(q);
        turnZ(q);
        break;
    case 1:
        turnX(q);
        turnZ(q);
        turnY(q);
        break;
    case 2:
        turnY(q);
        turnX(q);
        turnZ(q);
        break;
    case 3:
        turnY(q);
        turnZ(q);
        turnX(q);
        break;
    case 4:
        turnZ(q);
        turnX(q);
        turnY(q);
        break;
    default:
        turnZ(q);
        turnY(q);
        turnX(q);
        break;
    }
    return q;
}

void RotatePair(double& pos1, double& pos2, double radians) {
    const double modulus = std::sqrt(pos1 * pos1 + pos2 * pos2);
    double start;
    if (std::fabs(pos2) < kAxis) {
        start = pos1 >= 0.0 ? kHalfPi : kThreeHalfPi;
    } else {
        start = std::atan2(pos1, pos2);
    }
    if (start < 0.0) {
        start += kTwoPi;
    }
    double finish = start + radians;
    if (finish > kTwoPi) {
        finish -= kTwoPi;
    }
    pos1 = modulus * std::sin(finish);
    pos2 = modulus * std::cos(finish);
}

double Separate(const VOXEL& orbit, VOXEL& neighbour) {
    const double dx = neighbour.x - orbit.x;
    const double dy = neighbour.y - orbit.y;
    const double dz = neighbour.z - orbit.z;
    double distance = std::sqrt(dx * dx + dy * dy);
    if (!(distance >= 1e-16)) {
        distance = 1e-16;
    }
    const double growth = std::log(distance * 1e6);
    const double dfactor = 1e-6 / distance;
    neighbour.x = orbit.x + dx * dfactor;
    neighbour.y = orbit.y + dy * dfactor;
    neighbour.z = orbit.z + dz * dfactor;
    return growth;
}

} // namespace orv
