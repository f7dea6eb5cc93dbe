// The view of a picture chosen from its set: a short run of the recipe's own
// orbit after its transient gives the box its points keep to, leaving out
// the rare ones that stray, and the view shows that box centred with a
// margin. Every view made here is one the desktop program accepts: within
// its outer limits and no range narrower than it allows.
#pragma once

#include "render/types.h"
#include "studio/poster_recipe.h"

#include <optional>
#include <vector>

namespace orv {

// Steps of the sample run, after kTransientSteps uncounted ones.
constexpr std::uint64_t kSampleSteps = 100'000;
// The share of the sample's points left out at each end of each axis.
constexpr double kStrayShare = 0.001;
// The margin of a framed picture when none is given, in percent of its
// width and height on each side.
constexpr double kDefaultMargin = 5.0;
constexpr double kLargestMargin = 40.0;

// The box, in the plane of the picture (after the recipe's rotation), of
// the sample's points from the 0.1th to the 99.9th percentile on each axis;
// nothing when the orbit has no finite point.
std::optional<MINMAX> SetBox(const PosterRecipe& recipe);

// The box of the points (x, y) from the 0.1th to the 99.9th percentile on
// each axis: the kStrayShare of them furthest out at each end are left out.
// Nothing when there are none.
std::optional<MINMAX> TrimmedBox(std::vector<double> xs, std::vector<double> ys);

// The smallest box that holds both.
MINMAX UnitedBox(const MINMAX& first, const MINMAX& second);

// The view of a picture of width x height square pixels that shows box
// centred, with margin percent of the picture on each side at the box's
// tighter axis.
MINMAX FitView(const MINMAX& box, double margin, long width, long height);

// The view grown about its centre along one axis so that its shape is the
// picture's and pixels stay square; where the outer limits stop it, the
// other axis shrinks instead.
MINMAX AspectView(const MINMAX& view, long width, long height);

// The recipe's view fitted to its set, for its picture's size; when its
// orbit has no finite point, its view grown to the picture's shape.
PosterRecipe Framed(const PosterRecipe& recipe, double margin);

} // namespace orv
