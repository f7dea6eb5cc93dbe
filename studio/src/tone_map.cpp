#include "studio/tone_map.h"

#include "studio/poster_colour.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Whole counts below this are toned once, up front.
constexpr std::uint32_t kTabled = 1 << 16;

// A channel beyond 1 fades towards white as the colour's brightest channel
// grows: at twice full the colour is half way to white.
double Faded(double channel, double brightest) {
    const double share = channel / brightest;
    return share + (1.0 - 1.0 / brightest) * (1.0 - share);
}

} // namespace

double ToneLevel(const ToneSettings& tone, double density) {
    return tone.brightness * std::log1p(density) / std::log1p(kToneWhite);
}

Toned ToneColour(const ToneSettings& tone, double level, const Colour& colour) {
    const double exponent = 1.0 / tone.gamma;
    const double lifted = std::pow(level, exponent);
    double channels[3] = {colour.r, colour.g, colour.b};
    for (double& channel : channels) {
        channel = tone.vibrancy * lifted * channel +
                  (1.0 - tone.vibrancy) * std::pow(level * channel, exponent);
    }
    const double brightest = std::max({channels[0], channels[1], channels[2]});
    if (brightest > 1.0) {
        for (double& channel : channels) {
            channel = (1.0 - tone.highlight) * std::min(channel, 1.0) +
                      tone.highlight * Faded(channel, brightest);
        }
    }
    return {channels[0], channels[1], channels[2], std::min(lifted, 1.0)};
}

ToneMapping::ToneMapping(const PosterRecipe& recipe, const CountGrid& grid)
    : recipe_(recipe), tone_(*recipe.tone), grid_(grid) {
    const double pixels = static_cast<double>(recipe.res) * static_cast<double>(recipe.rows());
    relative_ = recipe.steps == 0 ? 0.0 : pixels / static_cast<double>(recipe.steps);
    if (tone_.de > 0) {
        estimate_.emplace(tone_.de);
    }
    if (recipe.method == 1) {
        const std::uint32_t* counts = grid.counts();
        const std::uint32_t most = *std::max_element(counts, counts + grid.pixels());
        byCount_.resize(std::min(most, kTabled - 1) + 1);
        for (std::size_t count = 1; count < byCount_.size(); ++count) {
            byCount_[count] = toned(static_cast<double>(count), Colour{});
        }
    }
}

Toned ToneMapping::toned(double count, const Colour& mean) const {
    if (recipe_.method == 1 && count < static_cast<double>(byCount_.size()) &&
        count == std::floor(count) && byCount_[static_cast<std::size_t>(count)].alpha > 0.0) {
        return byCount_[static_cast<std::size_t>(count)];
    }
    const double level = ToneLevel(tone_, count * relative_);
    Colour colour = mean;
    if (recipe_.method == 1) {
        const double lifted = std::min(std::pow(level, 1.0 / tone_.gamma), 1.0);
        colour = PaletteBlend(recipe_.palette, 1.0 + 254.0 * lifted);
    }
    colour.r /= 255.0;
    colour.g /= 255.0;
    colour.b /= 255.0;
    return ToneColour(tone_, level, colour);
}

void ToneMapping::row(long y, std::uint16_t* channels) const {
    const std::size_t factor = static_cast<std::size_t>(recipe_.supersample);
    const std::size_t side = static_cast<std::size_t>(grid_.width());
    const bool withValues = recipe_.method != 1;
    std::vector<double> density(factor * side);
    std::vector<double> values(withValues ? factor * side : 0);
    const long first = y * static_cast<long>(factor);
    if (estimate_) {
        estimate_->rows(grid_, first, static_cast<long>(factor), density.data(),
                        withValues ? values.data() : nullptr);
    } else {
        const std::size_t from = static_cast<std::size_t>(first) * side;
        for (std::size_t i = 0; i < density.size(); ++i) {
            density[i] = grid_.counts()[from + i];
            if (withValues) {
                values[i] = static_cast<double>(grid_.values()[from + i]) / kValueUnit;
            }
        }
    }
    const double scale = recipe_.depth == 16 ? 65535.0 : 255.0;
    const double background[3] = {recipe_.background[0] / 255.0, recipe_.background[1] / 255.0,
                                  recipe_.background[2] / 255.0};
    const auto put = [&](double channel) {
        *channels++ =
            static_cast<std::uint16_t>(std::lround(std::clamp(channel, 0.0, 1.0) * scale));
    };
    for (std::size_t x = 0; x < static_cast<std::size_t>(recipe_.res); ++x) {
        // The hits of the output pixel, and under Speed and Z-Plane the mean
        // of its fine pixels' colours, each weighted by its hits.
        double count = 0.0;
        Colour mean;
        for (std::size_t j = 0; j < factor; ++j) {
            for (std::size_t i = 0; i < factor; ++i) {
                const std::size_t at = j * side + x * factor + i;
                const double hits = density[at];
                if (hits <= 0.0) {
                    continue;
                }
                count += hits;
                if (withValues) {
                    const Colour colour =
                        PaletteBlend(recipe_.palette, std::max(values[at] / hits, 1.0));
                    mean.r += hits * colour.r;
                    mean.g += hits * colour.g;
                    mean.b += hits * colour.b;
                }
            }
        }
        Toned pixel;
        if (count > 0.0) {
            mean.r /= count;
            mean.g /= count;
            mean.b /= count;
            pixel = toned(count, mean);
        }
        if (recipe_.transparent) {
            // Straight colour under the opacity.
            const double cover = pixel.alpha > 0.0 ? pixel.alpha : 1.0;
            put(pixel.r / cover);
            put(pixel.g / cover);
            put(pixel.b / cover);
            put(pixel.alpha);
        } else {
            const double open = 1.0 - pixel.alpha;
            put(pixel.r + open * background[0]);
            put(pixel.g + open * background[1]);
            put(pixel.b + open * background[2]);
        }
    }
}

} // namespace orv
