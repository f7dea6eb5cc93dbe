// The render engine on a headless main window, for drawing the program's
// pictures at build time: the same state, driver and Lyapunov map that the
// program runs, with the off-screen image read back as a picture.
#pragma once

#include "render/types.h"

#include <QImage>

#include <vector>

namespace orv::pictures {

// How an attractor is to be rendered, seen straight from above.
struct AttractorSetup {
    int type = 0;
    PARAM parameters;
    MINMAX view;
    long steps = 0;
};

// The hit counts of a rendered attractor, res x res, row by row.
struct HitCounts {
    int side = 0;
    std::vector<float> counts;
    float maximum = 0.0f;
};

// Sets up the engine with an image of side x side and tears it down again.
class EngineCanvas {
  public:
    explicit EngineCanvas(int side);
    ~EngineCanvas();
    EngineCanvas(const EngineCanvas&) = delete;
    EngineCanvas& operator=(const EngineCanvas&) = delete;

    // Renders the attractor with the Hit Count method and returns its counts.
    HitCounts RenderAttractor(const AttractorSetup& setup);

    // Draws the Lyapunov map of the type's parameter set with a grey
    // palette and returns each pixel's palette index (1 to 255), which
    // rises with the exponent.
    std::vector<int> LyapunovHeights(int type, const PARAM& parameters);

  private:
    int side_;
};

// A colour gradient through evenly spaced stops; position 0 to 1.
QRgb Gradient(const std::vector<QRgb>& stops, double position);

// The counts as colours: transparent where a pixel was never hit, otherwise
// the gradient at the count's logarithm relative to the largest count.
QImage ToneMap(const HitCounts& hits, const std::vector<QRgb>& stops);

} // namespace orv::pictures
