#include "studio/framing.h"

#include "studio/poster_orbits.h"

#include "render/defaults.h"
#include "render/kernel.h"
#include "render/limits.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv {

namespace {

// A little over the narrowest range the desktop program accepts, so that
// rounding never takes a view below it.
constexpr double kLeastRange = kMinimumViewWidth * 1.001;

// The value at the share of the way through values, which are reordered.
double Percentile(std::vector<double>& values, std::size_t at) {
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at),
                     values.end());
    return values[at];
}

// A range of the given length about centre, moved within low to high.
void Place(double centre, double length, double low, double high, double& from, double& to) {
    length = std::min(length, high - low);
    from = std::clamp(centre - length / 2.0, low, high - length);
    to = from + length;
}

// The view of units per pixel about the centre, each range within the outer
// limits and at least the narrowest allowed.
MINMAX ViewOf(double xcentre, double ycentre, double unit, long width, long height) {
    const double columns = static_cast<double>(width);
    const double rows = static_cast<double>(height);
    const double span = std::min(mmrange.xmax - mmrange.xmin, mmrange.ymax - mmrange.ymin);
    unit =
        std::clamp(unit, kLeastRange / std::min(columns, rows),
                   std::max(span / std::max(columns, rows), kLeastRange / std::min(columns, rows)));
    MINMAX view;
    Place(xcentre, std::max(unit * columns, kLeastRange), mmrange.xmin, mmrange.xmax, view.xmin,
          view.xmax);
    Place(ycentre, std::max(unit * rows, kLeastRange), mmrange.ymin, mmrange.ymax, view.ymin,
          view.ymax);
    return view;
}

} // namespace

std::optional<MINMAX> SetBox(const PosterRecipe& recipe) {
    const RenderKernel kernel(PosterInputs(recipe));
    KernelState state = kernel.start();
    for (std::uint64_t i = 0; i < kTransientSteps; ++i) {
        kernel.step(state);
    }
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(kSampleSteps);
    ys.reserve(kSampleSteps);
    for (std::uint64_t i = 0; i < kSampleSteps; ++i) {
        kernel.step(state);
        const VOXEL point =
            kernel.rotation().turns() ? kernel.rotation().apply(state.point) : state.point;
        if (std::isfinite(point.x) && std::isfinite(point.y)) {
            xs.push_back(point.x);
            ys.push_back(point.y);
        }
    }
    return TrimmedBox(std::move(xs), std::move(ys));
}

std::optional<MINMAX> TrimmedBox(std::vector<double> xs, std::vector<double> ys) {
    if (xs.empty() || xs.size() != ys.size()) {
        return std::nullopt;
    }
    const std::size_t low = static_cast<std::size_t>(kStrayShare * static_cast<double>(xs.size()));
    const std::size_t high = xs.size() - 1 - low;
    MINMAX box;
    box.xmin = Percentile(xs, low);
    box.xmax = Percentile(xs, high);
    box.ymin = Percentile(ys, low);
    box.ymax = Percentile(ys, high);
    return box;
}

MINMAX UnitedBox(const MINMAX& first, const MINMAX& second) {
    return MINMAX{std::min(first.xmin, second.xmin), std::max(first.xmax, second.xmax),
                  std::min(first.ymin, second.ymin), std::max(first.ymax, second.ymax)};
}

MINMAX FitView(const MINMAX& box, double margin, long width, long height) {
    const double inside = 1.0 - 2.0 * margin / 100.0;
    const double unit = std::max((box.xmax - box.xmin) / (static_cast<double>(width) * inside),
                                 (box.ymax - box.ymin) / (static_cast<double>(height) * inside));
    return ViewOf((box.xmin + box.xmax) / 2.0, (box.ymin + box.ymax) / 2.0, unit, width, height);
}

MINMAX AspectView(const MINMAX& view, long width, long height) {
    const double unit = std::max((view.xmax - view.xmin) / static_cast<double>(width),
                                 (view.ymax - view.ymin) / static_cast<double>(height));
    return ViewOf((view.xmin + view.xmax) / 2.0, (view.ymin + view.ymax) / 2.0, unit, width,
                  height);
}

PosterRecipe Framed(const PosterRecipe& recipe, double margin) {
    PosterRecipe framed = recipe;
    if (const std::optional<MINMAX> box = SetBox(recipe)) {
        framed.view = FitView(*box, margin, recipe.res, recipe.rows());
    } else if (recipe.height > 0) {
        framed.view = AspectView(recipe.view, recipe.res, recipe.height);
    }
    return framed;
}

} // namespace orv
