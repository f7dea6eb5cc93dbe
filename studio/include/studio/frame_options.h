// The options that frame a picture: its size in pixels, and whether its
// view is chosen from its set with what margin. Read here so that every
// front end refuses the same values with the same messages.
#pragma once

#include "studio/poster_recipe.h"
#include "studio/recipe_options.h"

#include <array>
#include <optional>
#include <string>

namespace orv {

struct FrameOptions {
    std::optional<std::array<long, 2>> size; // width and height, from --size
    std::optional<bool> fit;                 // --fit or --no-fit
    std::optional<double> margin;            // percent, from --margin
};

// Whether the option takes a value (--size, --margin) or none (--fit,
// --no-fit).
bool IsFrameOption(const std::string& name);
bool IsFrameSwitch(const std::string& name);

// Reads the value of a framing option, or sets a switch; the refusal names
// the option and the value.
std::optional<std::string> ReadFrameOption(const std::string& name, const std::string& value,
                                           FrameOptions& options);

// Combinations of framing and picture options that ask two things at once.
std::optional<std::string> CheckFrameOptions(const FrameOptions& frame,
                                             const RenderOptions& picture);

// The margin of the picture when its view is to be fitted to its set:
// with --fit or --margin, or when framing is the command's default and
// neither --no-fit nor --view is given; nothing when the view stays.
std::optional<double> FitMargin(const FrameOptions& frame, const RenderOptions& picture,
                                bool byDefault);

// The recipe at the size of the options; its view fitted to the set with
// margin when one is given, else grown to the picture's shape.
PosterRecipe SizedRecipe(PosterRecipe recipe, const FrameOptions& frame,
                         std::optional<double> margin);

} // namespace orv
