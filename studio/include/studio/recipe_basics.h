// The values a recipe is made of that the command lines name as well: the
// filters of the hit counts, and the steps and orbits a picture takes when
// none are given.
#pragma once

#include <cstdint>

namespace orv {

enum class BatchFilter { Normalize, Equalize, Log, LogSquared };

constexpr std::uint64_t kDefaultSteps = 5'000'000;
constexpr std::uint32_t kDefaultOrbits = 64;
// The most steps of a poster, 2^63 - 1: no count of 64 bits can overflow
// below this.
constexpr std::uint64_t kMaximumPosterSteps = 9'223'372'036'854'775'807;

// The arithmetic of a poster's orbits. Exact steps every orbit as the
// desktop program does. Lanes keeps orbit 0 so, and steps the others side by
// side in the lanes of the vector unit, with SLEEF's deterministic sine:
// another picture than Exact's, the same on every processor.
enum class OrbitArithmetic { Exact, Lanes };

} // namespace orv
