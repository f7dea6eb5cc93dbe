// An animation as a folder of frames: the recipe of every frame, the filter
// scale that keeps their brightness steady, and the frames the folder still
// lacks drawn on the worker threads.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"
#include "studio/run_part.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// How the path runs between its ends: eased in and out (slow at the start
// and the end), and moved off its straight line in a, b, c and d by an
// offset for each frame (none when empty).
struct PathShape {
    bool ease = false;
    std::vector<std::array<double, 4>> offsets;

    bool operator==(const PathShape&) const = default;
};

// Frame index (0 to frames - 1) of the animation from first to last: the
// parameters, start point, rotation and view moved from first's to last's
// (last is first without --to) and the turn added. A morph ends on last; a
// turn ends one step short of the full circle, so that it loops.
PosterRecipe FrameRecipe(const PosterRecipe& first, const PosterRecipe& last,
                         std::optional<int> turn, std::uint32_t frames, std::uint32_t index,
                         const PathShape& shape = {});

// The filter scale of every frame from the largest counts of quick probes:
// the mean over the frame and its three neighbours on each side (around the
// circle for a turn alone), so that brightness drifts instead of jumping.
std::vector<PixelCount> SmoothScales(const std::vector<double>& probes, bool loops);

// The number of frames of --frames, 2 to 9999; nothing, with the message
// in error, for any other text.
std::optional<std::uint32_t> ReadFrameCount(const std::string& text, std::string& error);

// The axis of --turn, 0 for x, 1 for y and 2 for z in either case;
// nothing, with the message in error, for any other text.
std::optional<int> ReadTurnAxis(const std::string& text, std::string& error);

// The filter scale of every frame of the animation whose frames have the
// recipes, made from probes of the frames within reach of the missing
// ones (around the circle when the animation loops); 0 for every frame when
// the filter takes no scale.
std::vector<PixelCount> FrameScales(const std::vector<PosterRecipe>& recipes,
                                    const std::vector<std::uint32_t>& missing, bool loops);

// How many frames of the recipe render at once: as many as threads, no more
// than the memory holds; none, with the message that tells why, when not
// even one fits.
struct FrameRoom {
    unsigned threads = 0;
    std::string error;
};
FrameRoom RoomForFrames(const PosterRecipe& recipe, unsigned threads);

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

// Draws the frames of the animation (frame-0001.png, ...) of the part that
// the folder lacks or holds only damaged or of another recipe. A turn alone
// loops. The run ends early when stop is set or a frame cannot be saved.
AnimationOutcome RenderAnimation(const std::filesystem::path& directory, const PosterRecipe& first,
                                 const PosterRecipe& last, std::optional<int> turn,
                                 std::uint32_t frames, bool loops,
                                 const AnimationProgress& progress, const std::atomic<bool>& stop,
                                 const PathShape& shape = {}, RunPart part = {});

} // namespace orv
