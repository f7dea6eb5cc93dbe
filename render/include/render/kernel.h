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
    static bool Turns(const VOXEL& degrees) {
        return degrees.x != 0.0 || degrees.y != 0.0 || degrees.z != 0.0;
    }
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
    int height = 0;     // the image's rows where they differ from res; res is then its width

    int rows() const { return height > 0 ? height : res; }

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

// Positions this far from the image are never drawn; keeping conversions
// within this range also keeps non-finite or huge coordinates (possible only
// from damaged parameter files) away from the int conversion.
inline constexpr double kFarAway = 1e9;

// The arithmetic of a render step, as functions of explicit inputs. They are
// defined here so that they are compiled into the loops that call them.

// The point after old under the map of type with the parameters q, ghost
// image mode included: in ghost mode each call advances ghostcount, and
// calls 10001 to 20000 after a reset return x and y negated. Without Depth
// z is left 0: it is the sine of old.x, which a caller that needs only x and
// y can take later for the points it keeps.
template <bool Depth = true>
[[gnu::always_inline]] inline VOXEL MapPoint(int type, const PARAM& q, bool ghost, const VOXEL& old,
                                             int& ghostcount) {
    VOXEL next;
    if (type == 0) {
        next.x = q.c * std::sin(q.b * old.x) + std::sin(q.b * old.y);
        next.y = q.d * std::sin(q.a * old.y) + std::sin(q.a * old.x);
    } else {
        const double s = std::sin(q.b * old.x);
        const double t = std::sin(q.a * old.y);
        if (type == 1) {
            const double u = std::sin(q.c * old.y);
            next.x = std::sin(q.b * old.y) + s * s + s * s * s;
            next.y = std::sin(q.a * old.x) + t * t + u * u * u;
        } else if (type == 2) {
            next.x = std::sin(q.b * old.y) + s * s;
            next.y = std::sin(q.a * old.x) + t * t;
        } else {
            next.x = std::fabs(std::sin(q.b * old.y)) + s * s;
            next.y = std::fabs(std::sin(q.a * old.x)) + t * t;
        }
    }
    // z comes last, so that the next step's x and y are ready as early as
    // possible.
    if constexpr (Depth) {
        next.z = std::sin(old.x);
    }
    // Ghost image mode: from the 10001st to the 20000th call after a reset
    // the point is mirrored through the origin in x and y.
    // The "Standard" map has no ghost image.
    if (ghost && type != 0) {
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

// Where a point, already rotated, lies on an image of width x height pixels
// that shows the part view of the x-y plane.
inline Pixel ProjectPoint(const VOXEL& point, const MINMAX& view, int width, int height) {
    const double columns = width;
    const double rows = height;
    const double column = (point.x - view.xmin) * columns / (view.xmax - view.xmin);
    const double row = (point.y - view.ymin) * rows / (view.ymax - view.ymin);
    Pixel at;
    at.x = std::fabs(column) < kFarAway ? static_cast<int>(column) : -1;
    at.y = std::fabs(row) < kFarAway ? height - 1 - static_cast<int>(row) : -1;
    return at;
}

// The same on a square image of side res.
inline Pixel ProjectPoint(const VOXEL& point, const MINMAX& view, int res) {
    return ProjectPoint(point, view, res, res);
}

// One render step: moves state.point on (resetting the ghost counter on the
// first step), counts the step and returns the pixel of the new point on an
// image of width x height, turned by turn unless that is null. Depth as for
// MapPoint; a turn needs z.
template <bool Depth = true>
[[gnu::always_inline]] inline Pixel StepPoint(KernelState& state, int type, const PARAM& q,
                                              bool ghost, const Rotation* turn, const MINMAX& view,
                                              int width, int height) {
    if (state.step == 0) {
        state.ghostcount = 0;
    }
    state.point = MapPoint<Depth>(type, q, ghost, state.point, state.ghostcount);
    ++state.step;
    return ProjectPoint(turn != nullptr ? turn->apply(state.point) : state.point, view, width,
                        height);
}

// The render step of fixed inputs.
class RenderKernel {
  public:
    RenderKernel() : RenderKernel(KernelInputs{}) {}
    explicit RenderKernel(const KernelInputs& inputs)
        : inputs_(inputs), rotation_(inputs.rotation, inputs.order) {}

    const KernelInputs& inputs() const { return inputs_; }
    const Rotation& rotation() const { return rotation_; }

    // The state before the first step: the start point of the parameter set.
    KernelState start() const {
        KernelState state;
        state.point = VOXEL{inputs_.param.xstart, inputs_.param.ystart, inputs_.param.zstart};
        return state;
    }

    // The point after old, as MapPoint.
    VOXEL map(const VOXEL& old, int& ghostcount) const {
        return MapPoint(inputs_.type, inputs_.param, inputs_.ghost, old, ghostcount);
    }

    // Where a point is drawn: rotated, then projected through the view.
    Pixel pixel(const VOXEL& point) const {
        return ProjectPoint(rotation_.turns() ? rotation_.apply(point) : point, inputs_.view,
                            inputs_.res, inputs_.rows());
    }

    // One render step, as StepPoint.
    template <bool Depth = true> [[gnu::always_inline]] Pixel step(KernelState& state) const {
        return StepPoint<Depth>(state, inputs_.type, inputs_.param, inputs_.ghost,
                                rotation_.turns() ? &rotation_ : nullptr, inputs_.view, inputs_.res,
                                inputs_.rows());
    }

  private:
    KernelInputs inputs_;
    Rotation rotation_;
};

// One step of the Lyapunov estimate: how far neighbour has drifted from orbit
// in the x-y plane (at least 1e-16), as the log of its growth from 1e-6;
// neighbour is put back at that distance from orbit in the same direction.
double Separate(const VOXEL& orbit, VOXEL& neighbour);

} // namespace orv
