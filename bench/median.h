// The median of a benchmark's repeated measurements: pairs of runs taken in
// turn give ratios that a noisy machine moves far less than lone timings.
#pragma once

#include <algorithm>
#include <vector>

namespace orv::bench {

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace orv::bench
