// An animation as a folder of frames: the recipe of every frame, the filter
// scale that keeps their brightness steady, and the frames the folder still
// lacks drawn on the worker threads.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Frame index (0 to frames - 1) of the animation from first to last: the
// parameters, start point, rotation and view moved from first's to last's
// (last is first without --to) and the turn added. A morph ends on last; a
// turn ends one step short of the full circle, so that it loops.
PosterRecipe FrameRecipe(const PosterRecipe& first, const PosterRecipe& last,
                         std::optional<int> turn, std::uint32_t frames, std::uint32_t index);

// The filter scale of every frame from the largest counts of quick probes:
// the mean over the frame and its three neighbours on each side (around the
// circle for a turn alone), so that brightness drifts instead of jumping.
std::vector<PixelCount> SmoothScales(const std::vector<double>& probes, bool loops);

// What the caller hears of a run: how many frames are missing, once, before
// any is drawn, then the frames written so far after each.
struct AnimationProgress {
    std::function<void(std::uint64_t missing)> begin;
    std::function<void(std::uint64_t written)> step;
};

struct AnimationOutcome {
    std::uint64_t written = 0;
    // Why a frame could not be saved, naming its file; empty when none failed.
    std::string error;
    // The caller's flag ended the run before every frame was drawn.
    bool stopped = false;
};

// Draws the frames of the animation (frame-0001.png, ...) that the folder
// lacks or holds only damaged or of another recipe. A turn alone loops. The
// run ends early when stop is set or a frame cannot be saved.
AnimationOutcome RenderAnimation(const std::filesystem::path& directory, const PosterRecipe& first,
                                 const PosterRecipe& last, std::optional<int> turn,
                                 std::uint32_t frames, bool loops,
                                 const AnimationProgress& progress, const std::atomic<bool>& stop);

} // namespace orv
