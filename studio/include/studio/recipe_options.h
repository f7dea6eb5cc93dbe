// The picture options the batch commands share, as read from the command
// line: each value as given, before it meets its range.
#pragma once

#include "studio/recipe_basics.h"
#include "studio/tone_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// Whether a progress bar is drawn: Automatic draws it when stderr is a
// terminal; Quiet draws nothing and leaves out the closing line as well.
enum class BatchDisplay { Automatic, Progress, Quiet };

struct RenderOptions {
    std::optional<std::string> gan;
    std::optional<int> type;
    std::optional<std::array<double, 4>> params;
    std::optional<std::array<double, 2>> start;
    std::optional<std::array<double, 3>> rotation;
    std::optional<int> order;
    std::optional<std::array<double, 4>> view;
    std::optional<long> res;
    std::optional<int> method;
    std::optional<std::array<long, 3>> background;
    std::optional<std::string> palette; // "1", "2" or the path of a ".map" file
    bool ghost = false;
    bool random = false;
    std::optional<std::uint32_t> seed; // with random: the seed instead of the time
    bool lmap = false;
    std::uint64_t steps = kDefaultSteps;
    std::optional<BatchFilter> filter;
    std::string output;
    BatchDisplay display = BatchDisplay::Automatic;
    // The command whose picture these are, which its messages name.
    std::string command = "render";
    // The log-density tone map, when any of its options is given.
    std::optional<ToneSettings> tone;
    bool transparent = false; // --background transparent
};

} // namespace orv
