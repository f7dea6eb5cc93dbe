// The start values of every attractor type and the outer limits of the
// values a user can enter: constants, kept apart from the render state so
// that code without that state can start from them.
#pragma once

#include "render/types.h"

#include <cstdint>

namespace orv {

constexpr int kTypes = 4;

// The default parameter set and view window of each type, the limits of the
// parameters ([0] and [1] for a and b, [2] and [3] for c and d) and the outer
// limits of every view window.
inline constexpr PARAM pdef[kTypes] = {
    {0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728},
    {0.1, 0.1, 0.0, -1.804285, -2.513108, 0.957945, 0.0},
    {0.1, 0.1, 0.0, 2.039949, 1.322977, 0.0, 0.0},
    {0.1, 0.1, 0.0, 0.805414, 2.132054, 0.0, 0.0},
};
inline constexpr double abcdrange[4] = {-3.0, 3.0, -1.75, 1.75};
inline constexpr MINMAX mmdef[kTypes] = {
    {-2.5, 2.5, -2.5, 2.5},
    {-3.5, 3.5, -3.5, 3.5},
    {-3.5, 3.5, -3.5, 3.5},
    {-3.5, 3.5, -3.5, 3.5},
};
inline constexpr MINMAX mmrange = {-5.0, 5.0, -5.0, 5.0};

// The image side and the background's red, green and blue at start.
inline constexpr int kStartRes = 600;
inline constexpr int kStartBackground[3] = {255, 245, 230};

// The background colour as the render state holds it, for the parts r, g and b.
constexpr std::uint32_t BackgroundColour(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | g << 8 | b << 16);
}

} // namespace orv
