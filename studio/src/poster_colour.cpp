#include "studio/poster_colour.h"

#include "filters/tone.h"

#include <algorithm>
#include <cmath>

namespace orv {

Colour PaletteBlend(const std::array<unsigned char, 768>& palette, double position) {
    const auto entry = static_cast<std::size_t>(position);
    const unsigned char* low = &palette[3 * entry];
    if (entry >= 255) {
        return {static_cast<double>(low[0]), static_cast<double>(low[1]),
                static_cast<double>(low[2])};
    }
    return PaletteBlend(palette.data(), entry, position - static_cast<double>(entry));
}

PosterColouring::PosterColouring(const PosterRecipe& recipe, const CountGrid& grid,
                                 PixelCount scale)
    : recipe_(recipe), grid_(grid), background_{static_cast<double>(recipe.background[0]),
                                                static_cast<double>(recipe.background[1]),
                                                static_cast<double>(recipe.background[2])} {
    if (recipe.tone) {
        tone_.emplace(recipe, grid);
        return;
    }
    if (recipe.method != 1 || !recipe.filter) {
        return;
    }
    for (std::size_t pixel = 0; pixel < grid.pixels(); ++pixel) {
        hitmax_ = std::max(hitmax_, grid.count(pixel));
    }
    if (scale != 0 && *recipe.filter != BatchFilter::Equalize) {
        hitmax_ = scale;
    }
    switch (*recipe.filter) {
    case BatchFilter::Normalize:
        break;
    case BatchFilter::Equalize:
        totalpixels_ = tone::EqualizeSpread(
            grid.pixels(), hitmax_ < grid.pixels() ? CountEveryLevel() : CountLitLevels());
        break;
    case BatchFilter::Log:
    case BatchFilter::LogSquared:
        if (hitmax_ >= 2) {
            logfactor_ = tone::LogFactor(hitmax_, *recipe.filter == BatchFilter::LogSquared);
        }
        break;
    }
}

std::uint64_t PosterColouring::CountEveryLevel() {
    cumulative_.assign(static_cast<std::size_t>(hitmax_) + 1, 0);
    for (std::size_t pixel = 0; pixel < grid_.pixels(); ++pixel) {
        ++cumulative_[grid_.count(pixel)];
    }
    const std::uint64_t unlit = cumulative_[0];
    cumulative_[0] = 0;
    for (std::size_t count = 1; count < cumulative_.size(); ++count) {
        cumulative_[count] += cumulative_[count - 1];
        if (cdfmin_ == 0) {
            cdfmin_ = cumulative_[count];
        }
    }
    return unlit;
}

std::uint64_t PosterColouring::CountLitLevels() {
    for (std::size_t pixel = 0; pixel < grid_.pixels(); ++pixel) {
        if (const PixelCount count = grid_.count(pixel); count != 0) {
            levels_.push_back(count);
        }
    }
    const std::uint64_t unlit = grid_.pixels() - levels_.size();
    std::sort(levels_.begin(), levels_.end());
    std::size_t distinct = 0;
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        if (distinct == 0 || levels_[distinct - 1] != levels_[i]) {
            levels_[distinct++] = levels_[i];
            cumulative_.push_back(0);
        }
        cumulative_.back() = i + 1;
    }
    levels_.resize(distinct);
    cdfmin_ = cumulative_.empty() ? 0 : cumulative_.front();
    return unlit;
}

double PosterColouring::filtered(PixelCount count) const {
    switch (*recipe_.filter) {
    case BatchFilter::Normalize:
        return tone::NormalizePosition(static_cast<double>(count), hitmax_);
    case BatchFilter::Equalize:
        // A single lit pixel leaves no spread to equalize over.
        if (totalpixels_ <= 0.0) {
            return 0.0;
        }
        return tone::EqualizePosition<double>(
            cumulative_[levels_.empty()
                            ? count
                            : static_cast<std::size_t>(
                                  std::lower_bound(levels_.begin(), levels_.end(), count) -
                                  levels_.begin())],
            cdfmin_, totalpixels_);
    case BatchFilter::Log:
    case BatchFilter::LogSquared:
        // Below a largest count of 2 every position is 0 and logfactor_ too.
        return tone::LogPosition(static_cast<double>(count), logfactor_,
                                 *recipe_.filter == BatchFilter::LogSquared);
    }
    return 0.0;
}

Colour PosterColouring::fine(std::size_t pixel) const {
    const PixelCount count = grid_.count(pixel);
    if (count == 0) {
        return background_;
    }
    if (recipe_.method != 1) {
        const double mean =
            static_cast<double>(grid_.values()[pixel]) / kValueUnit / static_cast<double>(count);
        return PaletteBlend(recipe_.palette, std::max(mean, 1.0));
    }
    double position = static_cast<double>(std::min<PixelCount>(count, 255));
    if (recipe_.filter) {
        if (const double filter = filtered(count); filter >= 1.0) {
            position = filter;
        }
    }
    return PaletteBlend(recipe_.palette, position);
}

void PosterColouring::row(long y, std::uint16_t* channels) const {
    if (tone_) {
        tone_->row(y, channels);
        return;
    }
    const std::size_t factor = static_cast<std::size_t>(recipe_.supersample);
    const std::size_t side = static_cast<std::size_t>(grid_.width());
    const double samples = static_cast<double>(factor * factor);
    const double scale = recipe_.depth == 16 ? 257.0 : 1.0;
    for (std::size_t x = 0; x < static_cast<std::size_t>(recipe_.res); ++x) {
        Colour sum;
        std::size_t lit = 0;
        for (std::size_t j = 0; j < factor; ++j) {
            const std::size_t first =
                (static_cast<std::size_t>(y) * factor + j) * side + x * factor;
            for (std::size_t i = 0; i < factor; ++i) {
                if (recipe_.transparent && grid_.counts()[first + i] == 0) {
                    continue;
                }
                const Colour colour = fine(first + i);
                sum.r += colour.r;
                sum.g += colour.g;
                sum.b += colour.b;
                ++lit;
            }
        }
        // With transparency the colour is the lit pixels' alone.
        const double shares = recipe_.transparent ? std::max<double>(lit, 1.0) : samples;
        *channels++ = static_cast<std::uint16_t>(std::lround(sum.r / shares * scale));
        *channels++ = static_cast<std::uint16_t>(std::lround(sum.g / shares * scale));
        *channels++ = static_cast<std::uint16_t>(std::lround(sum.b / shares * scale));
        if (recipe_.transparent) {
            *channels++ = static_cast<std::uint16_t>(
                std::lround(static_cast<double>(lit) / samples * scale * 255.0));
        }
    }
}

} // namespace orv
