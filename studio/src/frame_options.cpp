#include "studio/frame_options.h"
#include "studio/framing.h"
#include "studio/own_options.h"

#include <cmath>
#include <cstdlib>

namespace orv {

namespace {

// The largest side of a picture a recipe can carry.
constexpr unsigned long kLargestSide = 1'000'000'000;
constexpr unsigned long kLeastSide = 200;

std::optional<std::array<long, 2>> ReadSize(const std::string& text) {
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string::npos) {
        return std::nullopt;
    }
    const auto width = ReadWholeNumber(text.substr(0, cross), kLeastSide, kLargestSide);
    const auto height = ReadWholeNumber(text.substr(cross + 1), kLeastSide, kLargestSide);
    if (!width || !height) {
        return std::nullopt;
    }
    return std::array<long, 2>{static_cast<long>(*width), static_cast<long>(*height)};
}

std::optional<double> ReadMargin(const std::string& text) {
    if (text.empty() || text.front() == '-' || text.front() == '+' || text.front() == ' ') {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !(value >= 0.0 && value <= kLargestMargin)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

bool IsFrameOption(const std::string& name) {
    return name == "--size" || name == "--margin";
}

bool IsFrameSwitch(const std::string& name) {
    return name == "--fit" || name == "--no-fit";
}

std::optional<std::string> ReadFrameOption(const std::string& name, const std::string& value,
                                           FrameOptions& options) {
    if (name == "--fit" || name == "--no-fit") {
        options.fit = name == "--fit";
        return std::nullopt;
    }
    if (name == "--size") {
        options.size = ReadSize(value);
        if (!options.size) {
            return "--size: '" + value + "' is not WIDTHxHEIGHT in pixels, each from " +
                   std::to_string(kLeastSide) + " to " + std::to_string(kLargestSide);
        }
        return std::nullopt;
    }
    options.margin = ReadMargin(value);
    if (!options.margin) {
        return "--margin: '" + value + "' is not a margin from 0 to 40 percent";
    }
    return std::nullopt;
}

std::optional<std::string> CheckFrameOptions(const FrameOptions& frame,
                                             const RenderOptions& picture) {
    if (frame.size && picture.res) {
        return "--size and --res both give the picture's size; give one of them";
    }
    if (frame.fit.value_or(false) && picture.view) {
        return "--fit chooses the view itself; it cannot be combined with --view";
    }
    if (frame.margin && frame.fit == false) {
        return "--margin frames the set; it cannot be combined with --no-fit";
    }
    return std::nullopt;
}

std::optional<double> FitMargin(const FrameOptions& frame, const RenderOptions& picture,
                                bool byDefault) {
    const bool fits =
        frame.fit.value_or(frame.margin.has_value() || (byDefault && !picture.view.has_value()));
    if (!fits) {
        return std::nullopt;
    }
    return frame.margin.value_or(kDefaultMargin);
}

PosterRecipe SizedRecipe(PosterRecipe recipe, const FrameOptions& frame,
                         std::optional<double> margin) {
    if (frame.size) {
        recipe.res = (*frame.size)[0];
        recipe.height = (*frame.size)[1] != (*frame.size)[0] ? (*frame.size)[1] : 0;
    }
    if (margin) {
        return Framed(recipe, *margin);
    }
    if (recipe.height > 0) {
        recipe.view = AspectView(recipe.view, recipe.res, recipe.height);
    }
    return recipe;
}

} // namespace orv
