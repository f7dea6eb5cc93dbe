// Density estimation: each lit pixel of the fine grid spreads its count
// over a round kernel whose radius shrinks as the count grows, from the
// largest radius for a single hit down to none where there are enough hits
// for the count itself to be smooth. Sparse areas turn from salt and pepper
// into a smooth haze; dense ones keep their detail. The counts keep their
// sum but near the picture's edges.
#pragma once

#include "studio/poster_grid.h"

#include <cstdint>
#include <vector>

namespace orv {

class DensityEstimate {
  public:
    // Kernels up to radius fine pixels, 1 to 20.
    explicit DensityEstimate(int radius);

    // The kernel radius for a count of at least 1: the largest radius over
    // the square root of the count, truncated, so that a kernel gathers
    // about as many hits as a single hit's does.
    int radiusOf(std::uint32_t count) const;

    // The estimated density of fine rows first to first + count - 1 into
    // density, side values a row, and when values is not null the value sums
    // (in units of 1.0) spread alike. Each row's result is the same however
    // the rows are split among calls and threads.
    void rows(const CountGrid& grid, long first, long count, double* density, double* values) const;

  private:
    struct Tap {
        int dx;
        int dy;
        double weight;
    };
    int radius_;
    std::vector<std::vector<Tap>> kernels_; // by radius; 0 has none
};

} // namespace orv
