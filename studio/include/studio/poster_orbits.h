// The orbits of a poster, rendered on a pool of threads into one counting
// buffer. Every orbit's steps are fixed by the recipe and its index alone,
// and counts are whole numbers summed, so the grid comes out the same
// whatever the number of threads and whichever thread takes which orbit.
#pragma once

#include "render/kernel.h"
#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace orv {

// Steps an orbit other than the first iterates before it starts counting.
constexpr std::uint64_t kTransientSteps = 1000;
// Steps of orbit 0 between the start points of two orbits.
constexpr std::uint64_t kSeedSpacing = 100;

// The steps of orbit i of the recipe's orbits; the first orbit's first step
// is counted among them, and is never plotted.
std::uint64_t OrbitSteps(const PosterRecipe& recipe, std::uint32_t orbit);

// Where each orbit starts: orbit 0 at the parameter set's start point, as the
// desktop program does; orbit i at the point orbit 0 reaches after i times
// kSeedSpacing steps, which lies on the attractor, moved by a tiny offset
// derived from i, so that the orbits soon part.
std::vector<KernelState> OrbitStarts(const RenderKernel& kernel, std::uint32_t orbits);

// The kernel inputs of the recipe on the fine grid.
KernelInputs PosterInputs(const PosterRecipe& recipe);

// The orbits one process of several renders: those whose index leaves
// `index` when divided by `count`.
struct OrbitShare {
    std::uint32_t index = 0;
    std::uint32_t count = 1;
};

// The steps of the orbits of the share.
std::uint64_t ShareSteps(const PosterRecipe& recipe, OrbitShare share);

// A stop flag for the callers that never stop the orbits.
inline const std::atomic<bool> kNeverStop{false};

enum class OrbitsEnd {
    Done,    // every step of the orbits is counted
    Stopped, // the caller's flag ended the orbits; the grid holds part of the counts
};

// Renders every orbit of the recipe (or of the share of them) into grid (made for side res times
// the supersampling factor and zero-filled) on the given number of threads, which may use up to
// spareBytes of memory besides. progress is called on the calling thread about ten times a second
// with the steps done so far. Once stop is set, each thread ends at the end of its stretch of
// steps between two reports.
OrbitsEnd RenderOrbits(const PosterRecipe& recipe, CountGrid& grid, unsigned threads,
                       std::uint64_t spareBytes, const std::function<void(std::uint64_t)>& progress,
                       const std::atomic<bool>& stop, OrbitShare share = {});

} // namespace orv
