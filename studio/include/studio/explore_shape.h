// Whether the picture of a chaotic set is worth showing. The measure works
// on the hit counts of the thumbnail:
// - coverage, the share of pixels hit at least once: below 3% of a framed
//   picture (2% of one whose view was given, where the set may sit small in
//   a corner) it is a few dots or a thin curve, above 70% it fills the image;
// - the spread of the lit pixels along their two principal axes: when the
//   narrower is under 5% of the wider, the picture is a line.
#pragma once

#include "studio/poster_grid.h"

#include <string>

namespace orv {

constexpr double kLeastCoverage = 0.02;
constexpr double kLeastFramedCoverage = 0.03;
constexpr double kMostCoverage = 0.70;
constexpr double kLeastThickness = 0.05;

struct Shape {
    double coverage = 0.0;  // lit pixels over all pixels
    double thickness = 0.0; // narrow over wide spread of the lit pixels
};

Shape MeasureShape(const CountGrid& grid);

// Why a picture of this shape, framed to its set or not, is degenerate;
// empty when it is not.
std::string Degenerate(const Shape& shape, bool framed);

} // namespace orv
