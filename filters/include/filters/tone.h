// The tone map: how each filter turns a hit count into a palette position.
// The desktop's filters truncate a position to a palette entry; the poster
// blends between the entries on either side of it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace orv::tone {

// Normalize: 1024 count / most, at most 255.
inline double NormalizePosition(double count, std::uint64_t most) {
    return std::min(1024.0 * count / static_cast<double>(most), 255.0);
}

// The factor of the logarithmic adjustment for a largest count most of at
// least 2: 255 / ln most, or 255 / (ln most)^2 with squared logarithms.
inline double LogFactor(std::uint64_t most, bool squared) {
    const double logmost = std::log(static_cast<double>(most));
    return squared ? 255.0 / (logmost * logmost) : 255.0 / logmost;
}

// Log and log squared: factor ln count, or factor (ln count)^2, at most 255,
// for a count of at least 1.
inline double LogPosition(double count, double factor, bool squared) {
    const double logval = std::log(count);
    const double scaled = squared ? logval * logval * factor : logval * factor;
    return std::min(scaled, 255.0);
}

// Equalize: the lit pixels less one, which the cumulative counts are spread
// over; at most 0 when fewer than two pixels are lit.
inline double EqualizeSpread(std::uint64_t pixels, std::uint64_t unlit) {
    return static_cast<double>(pixels) - static_cast<double>(unlit) - 1.0;
}

// Equalize: the position of a count with cumulative lit pixels up to it,
// where first is the smallest cumulative number that is not 0: from 1 to 255.
// An integral Position is the entry (the span truncated, then 1 added), a
// floating one the exact position.
template <typename Position>
Position EqualizePosition(std::uint64_t cumulative, std::uint64_t first, double spread) {
    const double span = static_cast<double>(cumulative - first) / spread * 254.0;
    if constexpr (std::is_integral_v<Position>) {
        return static_cast<Position>(span) + 1;
    } else {
        return span + 1.0;
    }
}

} // namespace orv::tone
