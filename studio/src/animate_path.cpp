#include "studio/animate_path.h"
#include "studio/framing.h"
#include "studio/poster_orbits.h"

#include "analysis/lyapunov.h"
#include "analysis/random.h"
#include "analysis/randomparams.h"
#include "analysis/workers.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Offsets tried about a frame's own before it is given up, the size of the
// first and how much each grows on the one before.
constexpr std::uint32_t kTries = 96;
constexpr double kFirstStep = 0.01;
constexpr double kGrowth = 1.05;
// Series of tries made before frames are left dead.
constexpr std::uint32_t kSeries = 4;

double ExponentOf(const PosterRecipe& recipe) {
    int ghostcount = 0;
    return LyapunovOf(RenderKernel(PosterInputs(recipe)), ghostcount);
}

// A number in [-1, 1) from the top 53 bits of a mixed value.
double Signed(std::uint64_t mixed) {
    return static_cast<double>(mixed >> 11) * 0x1.0p-52 - 1.0;
}

// Try k about frame index in series number series: a direction fixed by
// the three, of growing size.
std::array<double, 4> Step(std::uint32_t series, std::uint32_t index, std::uint32_t k) {
    const double size = kFirstStep * std::pow(kGrowth, static_cast<double>(k));
    std::array<double, 4> step{};
    std::uint64_t mixed = SplitMix64(SplitMix64(series) ^ (std::uint64_t{index} << 32 | k));
    for (double& value : step) {
        value = size * Signed(mixed);
        mixed = SplitMix64(mixed);
    }
    return step;
}

} // namespace

std::vector<double> PathExponents(const PosterRecipe& first, const PosterRecipe& last,
                                  std::optional<int> turn, std::uint32_t frames,
                                  const PathShape& shape) {
    std::vector<double> exponents(frames, 0.0);
    ParallelFor(static_cast<int>(frames), [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            exponents[static_cast<std::size_t>(i)] = ExponentOf(
                FrameRecipe(first, last, turn, frames, static_cast<std::uint32_t>(i), shape));
        }
    });
    return exponents;
}

std::vector<std::uint32_t> DeadFrames(const std::vector<double>& exponents) {
    std::vector<std::uint32_t> dead;
    for (std::size_t i = 0; i < exponents.size(); ++i) {
        if (!(exponents[i] >= kChaoticExponent)) {
            dead.push_back(static_cast<std::uint32_t>(i + 1));
        }
    }
    return dead;
}

std::string FrameRuns(const std::vector<std::uint32_t>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) {
            ++j;
        }
        text += text.empty() ? "" : ", ";
        text += std::to_string(numbers[i]);
        if (j > i) {
            text += "-" + std::to_string(numbers[j]);
        }
        i = j + 1;
    }
    return text;
}

std::vector<std::array<double, 4>> ChaoticOffsets(const PosterRecipe& first,
                                                  const PosterRecipe& last, std::uint32_t frames,
                                                  bool ease, std::uint32_t series,
                                                  std::vector<std::uint32_t>& dead) {
    PathShape shape{ease, std::vector<std::array<double, 4>>(frames)};
    auto chaotic = [&](std::uint32_t index) {
        return ExponentOf(FrameRecipe(first, last, std::nullopt, frames, index, shape)) >=
               kChaoticExponent;
    };
    dead.clear();
    for (std::uint32_t index = 1; index + 1 < frames; ++index) {
        // What is left of the offset fades out evenly over the frames to come.
        const double keep = static_cast<double>(frames - 1 - index) / (frames - index);
        std::array<double, 4>& offset = shape.offsets[index];
        for (std::size_t i = 0; i < 4; ++i) {
            offset[i] = shape.offsets[index - 1][i] * keep;
        }
        const std::array<double, 4> centre = offset;
        bool found = chaotic(index);
        // Then the straight path itself, and the offset of the frame before.
        for (const std::array<double, 4>& other :
             {std::array<double, 4>{}, shape.offsets[index - 1]}) {
            if (!found) {
                offset = other;
                found = chaotic(index);
            }
        }
        for (std::uint32_t k = 0; k < kTries && !found; ++k) {
            const std::array<double, 4> step = Step(series, index, k);
            for (std::size_t i = 0; i < 4; ++i) {
                offset[i] = centre[i] + step[i];
            }
            found = chaotic(index);
        }
        if (!found) {
            offset = centre;
            dead.push_back(index + 1);
        }
    }
    return shape.offsets;
}

std::optional<MINMAX> PathView(const PosterRecipe& first, const PosterRecipe& last,
                               std::optional<int> turn, std::uint32_t frames,
                               const PathShape& shape, double margin) {
    std::vector<std::optional<MINMAX>> boxes(frames);
    ParallelFor(static_cast<int>(frames), [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            boxes[static_cast<std::size_t>(i)] = SetBox(
                FrameRecipe(first, last, turn, frames, static_cast<std::uint32_t>(i), shape));
        }
    });
    std::optional<MINMAX> united;
    for (const std::optional<MINMAX>& box : boxes) {
        if (box) {
            united = united ? UnitedBox(*united, *box) : *box;
        }
    }
    if (!united) {
        return std::nullopt;
    }
    return FitView(*united, margin, first.res, first.rows());
}

PathPlan PlanPath(const PosterRecipe& first, const PosterRecipe& last, std::optional<int> turn,
                  std::uint32_t frames, bool ease, bool keepChaotic, std::optional<double> margin) {
    PathPlan plan{first, last, PathShape{ease, {}}, {}};
    const std::vector<double> exponents = PathExponents(first, last, turn, frames, plan.shape);
    std::vector<std::uint32_t> dead = DeadFrames(exponents);
    if (!dead.empty() && keepChaotic) {
        // A series that leaves frames dead near the end may have strayed too
        // far to come back: the next starts afresh.
        std::vector<std::uint32_t> left;
        for (std::uint32_t series = 0; series < kSeries && !dead.empty(); ++series) {
            std::vector<std::array<double, 4>> offsets =
                ChaoticOffsets(first, last, frames, ease, series, left);
            if (series == 0 || left.size() < dead.size()) {
                plan.shape.offsets = std::move(offsets);
                dead = left;
            }
        }
        // The ends are the sets given: when one is dead, so is its frame.
        for (std::uint32_t end : {1u, frames}) {
            if (!(exponents[end - 1] >= kChaoticExponent)) {
                dead.insert(std::upper_bound(dead.begin(), dead.end(), end), end);
            }
        }
    }
    if (!dead.empty()) {
        plan.warnings.push_back(
            "warning: frame" + std::string(dead.size() > 1 ? "s " : " ") + FrameRuns(dead) +
            " of " + std::to_string(frames) +
            (keepChaotic ? " leave chaos, and no chaotic set was found near them"
                         : " leave chaos (Lyapunov exponent under 0.3) and may be near-black or "
                           "flash; --keep-chaotic bends the path through chaotic sets"));
    }
    if (margin) {
        if (const auto view = PathView(first, last, turn, frames, plan.shape, *margin)) {
            plan.first.view = *view;
            plan.last.view = *view;
        }
    }
    return plan;
}

} // namespace orv
