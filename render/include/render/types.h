// The records shared by every part of the engine.
#pragma once

#include <array>

namespace orv {

// The names shown to the user for the types 0 to 3.
inline constexpr std::array<const char*, 4> typeNames = {"Standard", "Alpha", "Beta", "Gamma"};

// A point of the attractor; also a triple of rotation angles in degrees.
struct VOXEL {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    bool operator==(const VOXEL&) const = default;
};

// A parameter set: the start point of the iteration and the four map
// parameters.
struct PARAM {
    double xstart = 0.0;
    double ystart = 0.0;
    double zstart = 0.0;
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;

    bool operator==(const PARAM&) const = default;
};

// A view window: the part of the attractor's x-y plane mapped onto the image.
struct MINMAX {
    double xmin = 0.0;
    double xmax = 0.0;
    double ymin = 0.0;
    double ymax = 0.0;

    bool operator==(const MINMAX&) const = default;
};

} // namespace orv
