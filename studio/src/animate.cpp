#include "studio/animate.h"
#include "studio/memory.h"

#include "studio/own_options.h"
#include "studio/picture_write.h"

#include "analysis/workers.h"
#include "files/safe_file.h"
#include "render/limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

namespace orv {

namespace {

// Frames on each side of a frame whose probes its scale is the mean of.
constexpr std::uint32_t kScaleReach = 3;
// A probe takes this share of a frame's steps.
constexpr std::uint64_t kProbeShare = 8;

// Smoothstep: slow at 0 and 1, the same speed on average.
double Eased(double t) {
    return t * t * (3.0 - 2.0 * t);
}

double Between(double from, double to, double t) {
    return from + (to - from) * t;
}

std::string FrameName(std::uint32_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%04u.png", index + 1);
    return name;
}

bool UsesScale(const PosterRecipe& recipe) {
    return recipe.method == 1 && recipe.filter && *recipe.filter != BatchFilter::Equalize;
}

// Whether the file is a finished frame of this recipe: a PNG that decodes to
// its end, carrying the recipe it was made from.
bool FrameDone(const std::string& path, const PosterRecipe& recipe) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::string reason;
    const std::optional<TextChunks> text = ReadWholePng(path, reason);
    return text && *text == RecipeText(recipe, true);
}

// The largest count of a quick render of the recipe, brought to its steps.
double Probe(const PosterRecipe& recipe) {
    PosterRecipe probe = recipe;
    probe.steps = std::max<std::uint64_t>(recipe.steps / kProbeShare, 1);
    const std::optional<CountGrid> grid = RenderGrid(probe);
    if (!grid) {
        return 0.0;
    }
    PixelCount largest = 0;
    for (std::size_t pixel = 0; pixel < grid->pixels(); ++pixel) {
        largest = std::max(largest, grid->count(pixel));
    }
    return static_cast<double>(largest) * static_cast<double>(recipe.steps) /
           static_cast<double>(probe.steps);
}

} // namespace

PosterRecipe FrameRecipe(const PosterRecipe& first, const PosterRecipe& last,
                         std::optional<int> turn, std::uint32_t frames, std::uint32_t index,
                         const PathShape& shape) {
    PosterRecipe recipe = first;
    const double linear = frames > 1 ? static_cast<double>(index) / (frames - 1) : 0.0;
    const double t = shape.ease ? Eased(linear) : linear;
    PARAM& q = recipe.param;
    q.a = Between(first.param.a, last.param.a, t);
    q.b = Between(first.param.b, last.param.b, t);
    q.c = Between(first.param.c, last.param.c, t);
    q.d = Between(first.param.d, last.param.d, t);
    if (index < shape.offsets.size()) {
        const std::array<double, 4>& offset = shape.offsets[index];
        // Within the ranges a recipe reads back in.
        q.a = ClampAB(q.a + offset[0]);
        q.b = ClampAB(q.b + offset[1]);
        q.c = ClampCD(q.c + offset[2]);
        q.d = ClampCD(q.d + offset[3]);
    }
    q.xstart = Between(first.param.xstart, last.param.xstart, t);
    q.ystart = Between(first.param.ystart, last.param.ystart, t);
    q.zstart = Between(first.param.zstart, last.param.zstart, t);
    recipe.rotation.x = Between(first.rotation.x, last.rotation.x, t);
    recipe.rotation.y = Between(first.rotation.y, last.rotation.y, t);
    recipe.rotation.z = Between(first.rotation.z, last.rotation.z, t);
    recipe.view.xmin = Between(first.view.xmin, last.view.xmin, t);
    recipe.view.xmax = Between(first.view.xmax, last.view.xmax, t);
    recipe.view.ymin = Between(first.view.ymin, last.view.ymin, t);
    recipe.view.ymax = Between(first.view.ymax, last.view.ymax, t);
    if (turn) {
        double& angle = *turn == 0   ? recipe.rotation.x
                        : *turn == 1 ? recipe.rotation.y
                                     : recipe.rotation.z;
        const double added = shape.ease ? 360.0 * Eased(static_cast<double>(index) / frames)
                                        : 360.0 * index / frames;
        angle = std::fmod(angle + added, 360.0);
    }
    return recipe;
}

std::vector<PixelCount> SmoothScales(const std::vector<double>& probes, bool loops) {
    const long count = static_cast<long>(probes.size());
    const long reach = static_cast<long>(kScaleReach);
    std::vector<PixelCount> scales(probes.size());
    for (long i = 0; i < count; ++i) {
        double sum = 0.0;
        long used = 0;
        for (long j = i - reach; j <= i + reach; ++j) {
            long at = j;
            if (loops) {
                at = ((j % count) + count) % count;
            } else if (j < 0 || j >= count) {
                continue;
            }
            sum += probes[static_cast<std::size_t>(at)];
            ++used;
        }
        const double mean = std::round(sum / static_cast<double>(used));
        scales[static_cast<std::size_t>(i)] =
            static_cast<PixelCount>(std::clamp(mean, 1.0, 0x1p63));
    }
    return scales;
}

std::optional<std::uint32_t> ReadFrameCount(const std::string& text, std::string& error) {
    const std::optional<unsigned long> frames = ReadWholeNumber(text, 2, 9999);
    if (!frames) {
        error = "--frames F is needed: a number of frames from 2 to 9999";
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*frames);
}

std::optional<int> ReadTurnAxis(const std::string& text, std::string& error) {
    for (int axis = 0; axis < 3; ++axis) {
        if (text.size() == 1 && (text[0] == "xyz"[axis] || text[0] == "XYZ"[axis])) {
            return axis;
        }
    }
    error = "--turn: '" + text + "' is not x, y or z";
    return std::nullopt;
}

std::vector<PixelCount> FrameScales(const std::vector<PosterRecipe>& recipes,
                                    const std::vector<std::uint32_t>& missing, bool loops) {
    const std::uint32_t frames = static_cast<std::uint32_t>(recipes.size());
    const PosterRecipe& first = recipes.front();
    // Every frame's probe that the scale of a missing frame is made from.
    std::vector<double> probes(frames, 0.0);
    if (UsesScale(first) && !missing.empty()) {
        std::vector<bool> wanted(frames, false);
        for (std::uint32_t i : missing) {
            for (long j = static_cast<long>(i) - kScaleReach;
                 j <= static_cast<long>(i) + kScaleReach; ++j) {
                const long at = loops ? ((j % static_cast<long>(frames)) + frames) % frames : j;
                if (at >= 0 && at < static_cast<long>(frames)) {
                    wanted[static_cast<std::size_t>(at)] = true;
                }
            }
        }
        std::vector<std::uint32_t> probed;
        for (std::uint32_t i = 0; i < frames; ++i) {
            if (wanted[i]) {
                probed.push_back(i);
            }
        }
        ParallelFor(static_cast<int>(probed.size()), [&](int begin, int end) {
            for (int k = begin; k < end; ++k) {
                const std::uint32_t i = probed[static_cast<std::size_t>(k)];
                probes[i] = Probe(recipes[i]);
            }
        });
    }
    return UsesScale(first) ? SmoothScales(probes, loops) : std::vector<PixelCount>(frames, 0);
}

FrameRoom RoomForFrames(const PosterRecipe& recipe, unsigned threads) {
    const std::uint64_t needed = PosterBytes(recipe);
    const std::uint64_t available = AvailableMemory();
    if (needed > available) {
        return {0, "a frame of " + MemoryRefusal(recipe, needed, available)};
    }
    return {static_cast<unsigned>(std::min<std::uint64_t>(threads, available / needed)), {}};
}

AnimationOutcome RenderAnimation(const std::filesystem::path& directory, const PosterRecipe& first,
                                 const PosterRecipe& last, std::optional<int> turn,
                                 std::uint32_t frames, bool loops,
                                 const AnimationProgress& progress, const std::atomic<bool>& stop,
                                 const PathShape& shape, RunPart part) {
    AnimationOutcome outcome;
    std::vector<PosterRecipe> recipes;
    std::vector<std::uint32_t> missing;
    for (std::uint32_t i = 0; i < frames; ++i) {
        recipes.push_back(FrameRecipe(first, last, turn, frames, i, shape));
        if (part.Takes(i) && !FrameDone((directory / FrameName(i)).string(), recipes.back())) {
            missing.push_back(i);
        }
    }

    const std::vector<PixelCount> scales = FrameScales(recipes, missing, loops);

    if (progress.begin) {
        progress.begin(missing.size());
    }
    std::mutex reporting;
    std::atomic<bool> failed{false};
    ParallelFor(static_cast<int>(missing.size()), [&](int begin, int end) {
        for (int k = begin; k < end && !failed && !stop; ++k) {
            const std::uint32_t i = missing[static_cast<std::size_t>(k)];
            const std::string path = (directory / FrameName(i)).string();
            SafeFile file;
            SaveResult result = file.Open(path);
            const std::optional<CountGrid> grid =
                result == SaveResult::Saved ? RenderGrid(recipes[i], stop) : std::nullopt;
            // A frame cut short is no frame: its save is let go unwritten.
            if (stop) {
                return;
            }
            if (result == SaveResult::Saved && !grid) {
                result = SaveResult::NoMemory;
            }
            if (result == SaveResult::Saved && !WritePicture(recipes[i], *grid, scales[i], file)) {
                result = SaveResult::WriteError;
            }
            if (result == SaveResult::Saved) {
                result = file.Commit();
            }
            const std::lock_guard<std::mutex> lock(reporting);
            if (result != SaveResult::Saved) {
                failed = true;
                outcome.error = std::string(SaveErrorText(result)) + " (" + path + ")";
                return;
            }
            ++outcome.written;
            if (progress.step) {
                progress.step(outcome.written);
            }
        }
    });
    outcome.stopped = stop && outcome.error.empty();
    return outcome;
}

} // namespace orv
