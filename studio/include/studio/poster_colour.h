// The colours of a poster from its counts. Palette positions are fractional:
// a position between two entries blends their colours. Each output pixel is
// the mean colour of its supersample x supersample pixels of the fine grid.
#pragma once

#include "render/colouring.h"
#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"
#include "studio/tone_map.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

// The colour at a palette position from 1 to 255: entry floor(position)
// blended towards the next one by the fraction.
Colour PaletteBlend(const std::array<unsigned char, 768>& palette, double position);

class PosterColouring {
  public:
    // Prepares the filter's tables; throws std::bad_alloc when equalizing
    // needs more memory than there is. A scale other than 0 stands for the
    // largest count in normalizing and the logarithmic adjustment, so that
    // the frames of an animation can share a steady one.
    PosterColouring(const PosterRecipe& recipe, const CountGrid& grid, PixelCount scale = 0);

    // The largest count the filter scales by.
    PixelCount scale() const { return hitmax_; }

    // The colour of a pixel of the fine grid.
    Colour fine(std::size_t pixel) const;

    // Output row y as 3 * res channel values, 0 to 255 at depth 8 or 0 to
    // 65535 at depth 16, red first; with transparency 4 * res, the fourth
    // of each pixel its share of lit fine pixels (the opacity under the
    // tone map), the colour theirs alone.
    void row(long y, std::uint16_t* channels) const;

  private:
    // The filtered palette position of a count of at least 1; below 1 the
    // pixel keeps its Hit Count colour.
    double filtered(PixelCount count) const;

    // Equalization's cumulative numbers of lit pixels: for every count up to
    // the largest, or where the largest count outnumbers the pixels, for each
    // count that some pixel has (levels_). Both return the unlit pixels.
    std::uint64_t CountEveryLevel();
    std::uint64_t CountLitLevels();

    const PosterRecipe& recipe_;
    const CountGrid& grid_;
    Colour background_;
    PixelCount hitmax_ = 0;
    // Equalization: the number of lit pixels with at most each count (or
    // each of levels_), the smallest such number that is not 0, and the lit
    // pixels less one.
    std::vector<std::uint64_t> cumulative_;
    std::vector<PixelCount> levels_;
    std::uint64_t cdfmin_ = 0;
    double totalpixels_ = 0.0;
    double logfactor_ = 0.0;
    // The log-density tone map, when the recipe has one.
    std::optional<ToneMapping> tone_;
};

} // namespace orv
