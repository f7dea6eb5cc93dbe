// The log-density tone map. Each output pixel's hits (those of its fine
// pixels together) are measured against the steps spread evenly over the
// picture, so that the same recipe has the same brightness at any
// supersampling and any length of render: a longer render is only smoother.
// The density gives the pixel an opacity over the background; its colour is
// the palette's at the toned density under Hit Count, and under Speed and
// Z-Plane the mean of its fine pixels' colours weighted by their hits, which
// is where supersampling still shows, with the kernels of --de.
#pragma once

#include "render/colouring.h"
#include "studio/density_estimate.h"
#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace orv {

// A colour with its opacity, the colour already multiplied by it; channels
// from 0 to 1.
struct Toned {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double alpha = 0.0;

    bool operator==(const Toned&) const = default;
};

// The brightness of a relative density before gamma: brightness times
// ln(1 + density) / ln(1 + kToneWhite), so that at brightness 1 a pixel hit
// kToneWhite times as often as the mean is full.
inline constexpr double kToneWhite = 20.0;
double ToneLevel(const ToneSettings& tone, double density);

// A colour (channels 0 to 1) at the level: gamma on the level alone as far
// as vibrancy goes, on each channel for the rest; channels beyond 1 clip or,
// as far as highlight goes, fade to white.
Toned ToneColour(const ToneSettings& tone, double level, const Colour& colour);

class ToneMapping {
  public:
    ToneMapping(const PosterRecipe& recipe, const CountGrid& grid);

    // Output row y: red, green and blue, then the opacity with transparency,
    // from 0 to 255 at depth 8 or 65535 at depth 16.
    void row(long y, std::uint16_t* channels) const;

  private:
    // The toned pixel of a (possibly estimated) count of hits and, under
    // Speed and Z-Plane, the mean colour of its hits (channels 0 to 255).
    Toned toned(double count, const Colour& mean) const;

    const PosterRecipe& recipe_;
    const ToneSettings tone_;
    const CountGrid& grid_;
    double relative_ = 0.0; // output pixels per step
    std::optional<DensityEstimate> estimate_;
    // Under Hit Count the toned pixel of each small whole count of hits.
    std::vector<Toned> byCount_;
};

} // namespace orv
