#include "studio/density_estimate.h"

#include <algorithm>
#include <cmath>

namespace orv {

DensityEstimate::DensityEstimate(int radius) : radius_(radius), kernels_(radius + 1) {
    // An Epanechnikov-like bump that is still above 0 at its rim, weights
    // summing to 1.
    for (int r = 1; r <= radius; ++r) {
        const double reach = static_cast<double>((r + 1) * (r + 1));
        std::vector<Tap>& taps = kernels_[r];
        double sum = 0.0;
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) {
                const int distance = dx * dx + dy * dy;
                if (distance <= r * r) {
                    const double weight = 1.0 - distance / reach;
                    taps.push_back({dx, dy, weight});
                    sum += weight;
                }
            }
        }
        for (Tap& tap : taps) {
            tap.weight /= sum;
        }
    }
}

int DensityEstimate::radiusOf(std::uint32_t count) const {
    return static_cast<int>(radius_ / std::sqrt(static_cast<double>(count)));
}

void DensityEstimate::rows(const CountGrid& grid, long first, long count, double* density,
                           double* values) const {
    const long width = grid.width();
    const long height = grid.height();
    const std::size_t cells = static_cast<std::size_t>(count) * static_cast<std::size_t>(width);
    std::fill(density, density + cells, 0.0);
    if (values != nullptr) {
        std::fill(values, values + cells, 0.0);
    }
    const std::uint32_t* counts = grid.counts();
    const std::uint64_t* sums = grid.values();
    const long last = first + count;
    // A hit spreads at most radius_ rows: the rows that reach these are
    // read in order, each the same way, whatever rows were asked for.
    for (long sy = std::max(0L, first - radius_); sy < std::min(height, last + radius_); ++sy) {
        const std::size_t from = static_cast<std::size_t>(sy) * static_cast<std::size_t>(width);
        for (long sx = 0; sx < width; ++sx) {
            const std::uint32_t hits = counts[from + static_cast<std::size_t>(sx)];
            if (hits == 0) {
                continue;
            }
            const double weight = hits;
            const double value =
                values != nullptr
                    ? static_cast<double>(sums[from + static_cast<std::size_t>(sx)]) / kValueUnit
                    : 0.0;
            const int r = radiusOf(hits);
            if (r == 0) {
                if (sy >= first && sy < last) {
                    const std::size_t at = static_cast<std::size_t>((sy - first) * width + sx);
                    density[at] += weight;
                    if (values != nullptr) {
                        values[at] += value;
                    }
                }
                continue;
            }
            for (const Tap& tap : kernels_[r]) {
                const long ty = sy + tap.dy;
                const long tx = sx + tap.dx;
                if (ty < first || ty >= last || tx < 0 || tx >= width) {
                    continue;
                }
                const std::size_t at = static_cast<std::size_t>((ty - first) * width + tx);
                density[at] += weight * tap.weight;
                if (values != nullptr) {
                    values[at] += value * tap.weight;
                }
            }
        }
    }
}

} // namespace orv
