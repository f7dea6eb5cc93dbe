// The path of an animation checked before any frame is drawn: the Lyapunov
// exponent of every frame's set, cheaply estimated, so that a morph that
// passes through sets that are not chaotic (near-black or flashing frames)
// is named, and can be bent through chaotic ones; and the box that holds
// every frame's set, so that one view frames them all and the camera never
// jumps.
#pragma once

#include "studio/animate.h"
#include "studio/poster_recipe.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// The exponent of every frame of the path.
std::vector<double> PathExponents(const PosterRecipe& first, const PosterRecipe& last,
                                  std::optional<int> turn, std::uint32_t frames,
                                  const PathShape& shape);

// The frame numbers (from 1) whose exponent is below the chaotic threshold.
std::vector<std::uint32_t> DeadFrames(const std::vector<double>& exponents);

// The numbers as runs: "8-22, 28".
std::string FrameRuns(const std::vector<std::uint32_t>& numbers);

// The offsets of a path bent through chaotic sets: frame by frame from the
// first, each frame keeps the offset of the one before, drawn towards 0 as
// the end nears, while that gives a chaotic set; else no offset, or the one
// before as it is; else the first chaotic set of series number series of
// offsets about it, growing in size. Frames for which none is found are
// left in dead.
std::vector<std::array<double, 4>> ChaoticOffsets(const PosterRecipe& first,
                                                  const PosterRecipe& last, std::uint32_t frames,
                                                  bool ease, std::uint32_t series,
                                                  std::vector<std::uint32_t>& dead);

// The view, the same for every frame, that frames the set of each with
// margin; nothing when no frame's orbit has a finite point.
std::optional<MINMAX> PathView(const PosterRecipe& first, const PosterRecipe& last,
                               std::optional<int> turn, std::uint32_t frames,
                               const PathShape& shape, double margin);

// What a check of the path found, for the caller to say.
struct PathPlan {
    PosterRecipe first; // with the path's view when framed
    PosterRecipe last;
    PathShape shape;
    std::vector<std::string> warnings;
};

// Checks the path: warns of the frames that leave chaos, or with
// keepChaotic bends the path so that none does; frames it with margin when
// one is given.
PathPlan PlanPath(const PosterRecipe& first, const PosterRecipe& last, std::optional<int> turn,
                  std::uint32_t frames, bool ease, bool keepChaotic, std::optional<double> margin);

} // namespace orv
