// The picture options' values brought into their ranges, as the dialogs
// bring them, with a warning naming each value changed.
#pragma once

#include "render/types.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orv {

using Warnings = std::vector<std::string>;

// a and b, c and d of --params.
std::array<double, 4> ClampParameters(const std::array<double, 4>& given, Warnings& warnings);
// x and y of --start.
std::array<double, 2> ClampStartPoint(const std::array<double, 2>& given, Warnings& warnings);
// The degrees about X, Y and Z of --rotation.
std::array<double, 3> ClampRotations(const std::array<double, 3>& given, Warnings& warnings);
// Red, green and blue of --background.
std::array<long, 3> ClampBackground(const std::array<long, 3>& given, Warnings& warnings);

// The view of --view (xmin, xmax, ymin, ymax), the ends of each range in
// either order, within the outer limits; nothing, with the refusal's text,
// when a range is narrower than 0.05.
std::optional<MINMAX> ClampView(const std::array<double, 4>& given, Warnings& warnings,
                                std::string& refusal);

} // namespace orv
