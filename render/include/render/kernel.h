// One render step's arithmetic with every input explicit: the map of a type
// with its parameters and ghost image mode, the rotation, and the projection
// onto the image. A kernel is a constant value and its state a small one, so
// any number of kernels can run at once on different threads: nothing here
// reads or writes a global.
#pragma once

#include "render/types.h"

#include <cmath>
#include <cstdint>

namespace orv {

// Turning a point about the three axes, with the angles converted to radians
// once. The order is 0 "XYZ", 1 "XZY", 2 "YXZ", 3 "YZX", 4 "ZXY", 5 "ZYX";
// any other value turns as "ZYX". An axis whose angle is exactly 0 degrees is
// skipped.
class Rotation {
  public:
    Rotation() = default;
    // degrees: the angles about X, Y and Z.
    Rotation(const VOXEL& degrees, int order);

    // False when all three angles are 0: apply would return its point as is.
    bool turns() const { return turns_; }
    VOXEL apply(VOXEL point) const;

    // The angles in radians, in the extended precision they are computed in.
    long double xradians() const { return xradians_; }
    long double yradians() const { return yradians_; }
    long double zradians() const { return zradians_; }

  private:
    void turnX(VOXEL& q) const;
    void turnY(VOXEL& q) const;
    void turnZ(VOXEL& q) const;

    VOXEL degrees_;
    int order_ = 0;
    bool turns_ = false;
    long double xradians_ = 0.0L;
    long double yradians_ = 0.0L;
    long double zradians_ = 0.0L;
};

// Turns the pair (pos1, pos2) by radians in polar form. A point within 1e-6
// of the pos1 axis takes the axis angle.
void RotatePair(double& pos1, double& pos2, double radians);

// Everything a render step computes from; fixed for the length of a render.
struct KernelInputs {
    int type = 0;       // 0 "Standard", 1 "Alpha", 2 "Beta", 3 "Gamma"
    PARAM param;        // the start point and a, b, c, d
    VOXEL rotation;     // degrees about X, Y and Z
    int order = 0;      // the rotation order, as in Rotation
    MINMAX view;        // the part of the x-y plane mapped onto the image
    int res = 600;      // the image side in pixels
    bool ghost = false; // ghost image mode (Alpha, Beta and Gamma)

    bool operator==(const KernelInputs&) const = default;
};

// What changes from step to step.
struct KernelState {
    VOXEL point;            // the current iterate, unrotated
    int ghostcount = 0;     // calls of the map in ghost image mode since a reset
    std::uint64_t step = 0; // steps taken; the first step resets ghostcount
};

// A position on the image, (0, 0) top left. It may lie outside the image.
struct Pixel {
    int x = 0;
    int y = 0;
};

class RenderKernel {
  public:
    RenderKernel() : RenderKernel(KernelInputs{}) {}
    explicit RenderKernel(const KernelInputs& inputs);

    const KernelInputs& inputs() const { return inputs_; }
    const Rotation& rotation() const { return rotation_; }

    // The state before the first step: the start point of the parameter set.
    KernelState start() const;

    // The point after old, ghost image mode included: in ghost mode each call
    // advances ghostcount, and calls 10001 to 20000 after a reset return x
    // and y negated.
    VOXEL map(const VOXEL& old, int& ghostcount) const;

    // Where a point is drawn: rotated, then projected through the view.
    Pixel pixel(const VOXEL& point) const;

    // One render step: moves state.point on (resetting the ghost counter on
    // the first step), counts the step and returns the new point's pixel.
    Pixel step(KernelState& state) const {
        if (state.step == 0) {
            state.ghostcount = 0;
        }
        state.point = map(state.point, state.ghostcount);
        ++state.step;
        return pixel(state.point);
    }

  private:
    VOXEL mapStandard(const VOXEL& old) const;
    VOXEL mapAlpha(const VOXEL& old) const;
    VOXEL mapBeta(const VOXEL& old) const;
    VOXEL mapGamma(const VOXEL& old) const;
    Pixel project(const VOXEL& point) const;

    // Positions this far from the image are never drawn; keeping conversions
    // within this range also keeps non-finite or huge coordinates (possible
    // only from damaged parameter files) away from the int conversion.
    static constexpr double kFarAway = 1e9;

    KernelInputs inputs_;
    Rotation rotation_;
    double width_ = 0.0;
    double height_ = 0.0;
    double dres_ = 0.0;
};

// The step's arithmetic is defined here so that it inlines into the loops
// that call it.

inline VOXEL RenderKernel::mapStandard(const VOXEL& old) const {
    const PARAM& q = inputs_.param;
    VOXEL next;
    next.x = q.c * std::sin(q.b * old.x) + std::sin(q.b * old.y);
    next.y = q.d * std::sin(q.a * old.y) + std::sin(q.a * old.x);
    next.z = std::sin(old.x);
    return next;
}

inline VOXEL RenderKernel::mapAlpha(const VOXEL& old) const {
    const PARAM& q = inputs_.param;
    const double s = std::sin(q.b * old.x);
    const double t = std::sin(q.a * old.y);
    const double u = std::sin(q.c * old.y);
    VOXEL next;
    next.x = std::sin(q.b * old.y) + s * s + s * s * s;
    next.y = std::sin(q.a * old.x) + t * t + u * u * u;
    next.z = std::sin(old.x);
    return next;
}

inline VOXEL RenderKernel::mapBeta(const VOXEL& old) const {
    const PARAM& q = inputs_.param;
    const double s = std::sin(q.b * old.x);
    const double t = std::sin(q.a * old.y);
    VOXEL next;
    next.x = std::sin(q.b * old.y) + s * s;
    next.y = std::sin(q.a * old.x) + t * t;
    next.z = std::sin(old.x);
    return next;
}

inline VOXEL RenderKernel::mapGamma(const VOXEL& old) const {
    const PARAM& q = inputs_.param;
    const double s = std::sin(q.b * old.x);
    const double t = std::sin(q.a * old.y);
    VOXEL next;
    next.x = std::fabs(std::sin(q.b * old.y)) + s * s;
    next.y = std::fabs(std::sin(q.a * old.x)) + t * t;
    next.z = std::sin(old.x);
    return next;
}

inline VOXEL RenderKernel::map(const VOXEL& old, int& ghostcount) const {
    VOXEL next;
    switch (inputs_.type) {
    case 0:
        return mapStandard(old);
    case 1:
        next = mapAlpha(old);
        break;
    case 2:
        next = mapBeta(old);
        break;
    default:
        next = mapGamma(old);
        break;
    }
    // Ghost image mode: from the 10001st to the 20000th call after a reset
    // the point is mirrored through the origin in x and y.
    if (inputs_.ghost) {
        ghostcount = ghostcount + 1;
        if (ghostcount > 10000) {
            if (ghostcount == 20000) {
                ghostcount = 0;
            }
            next.x = -next.x;
            next.y = -next.y;
        }
    }
    return next;
}

inline Pixel RenderKernel::project(const VOXEL& point) const {
    const MINMAX& m = inputs_.view;
    const double column = (point.x - m.xmin) * dres_ / width_;
    const double row = (point.y - m.ymin) * dres_ / height_;
    Pixel at;
    at.x = column > -kFarAway && column < kFarAway ? static_cast<int>(column) : -1;
    at.y = row > -kFarAway && row < kFarAway ? inputs_.res - 1 - static_cast<int>(row) : -1;
    return at;
}

inline Pixel RenderKernel::pixel(const VOXEL& point) const {
    if (!rotation_.turns()) {
        return project(point);
    }
    return project(rotation_.apply(point));
}

// One step of the Lyapunov estimate: how far neighbour has drifted from orbit
// in the x-y plane (at least 1e-16), as the log of its growth from 1e-6;
// neighbour is put back at that distance from orbit in the same direction.
double Separate(const VOXEL& orbit, VOXEL& neighbour);

} // namespace orv
