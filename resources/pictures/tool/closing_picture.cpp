#include "artwork.h"
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv::pictures {

namespace {

constexpr int kMapSide = 200;

// A height field made from the palette indices of a Lyapunov map: 0 at the
// water line, which a fifth of the ground lies below (negative), 1 where
// only the highest twentieth rises above. It is smoothed so that single chaotic pixels become hills
// rather than needles.
class HeightField {
  public:
    HeightField(const std::vector<int>& indices, int side) : side_(side), h_(indices.size()) {
        std::transform(indices.begin(), indices.end(), h_.begin(),
                       [](int i) { return static_cast<double>(i); });
        for (int pass = 0; pass < 2; ++pass) {
            blur();
        }
        std::vector<double> sorted = h_;
        std::sort(sorted.begin(), sorted.end());
        const double waterLine = sorted[sorted.size() / 5];
        const double top = std::max(sorted[sorted.size() * 19 / 20] - waterLine, 1e-9);
        for (double& v : h_) {
            v = (v - waterLine) / top;
        }
    }

    // The height at any point of the plane, between the four nearest
    // samples. Beyond its edges the square is mirrored, so that the ground
    // runs on to the horizon without a seam.
    double at(double u, double v) const {
        u = mirrored(u);
        v = mirrored(v);
        const int x = std::min(static_cast<int>(u), side_ - 2);
        const int y = std::min(static_cast<int>(v), side_ - 2);
        const double fx = u - x;
        const double fy = v - y;
        const double upper = sample(x, y) * (1 - fx) + sample(x + 1, y) * fx;
        const double lower = sample(x, y + 1) * (1 - fx) + sample(x + 1, y + 1) * fx;
        return upper * (1 - fy) + lower * fy;
    }

  private:
    double mirrored(double t) const {
        const double period = 2.0 * (side_ - 1);
        t = std::fmod(std::fabs(t), period);
        return t > side_ - 1 ? period - t : t;
    }

    double sample(int x, int y) const {
        return h_[static_cast<std::size_t>(y) * static_cast<std::size_t>(side_) +
                  static_cast<std::size_t>(x)];
    }

    void blur() {
        std::vector<double> out(h_.size());
        for (int y = 0; y < side_; ++y) {
            for (int x = 0; x < side_; ++x) {
                double sum = 0.0;
                int n = 0;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int sx = x + dx;
                        const int sy = y + dy;
                        if (sx >= 0 && sx < side_ && sy >= 0 && sy < side_) {
                            sum += sample(sx, sy);
                            ++n;
                        }
                    }
                }
                out[static_cast<std::size_t>(y) * static_cast<std::size_t>(side_) +
                    static_cast<std::size_t>(x)] = sum / n;
            }
        }
        h_ = std::move(out);
    }

    int side_;
    std::vector<double> h_;
};

// Water, deeper blue where deeper; above it green slopes that turn to sand
// towards the heights.
QRgb groundColour(double h) {
    if (h <= 0.0) {
        return Gradient({qRgb(40, 110, 190), qRgb(20, 60, 150), qRgb(10, 30, 100)},
                        std::min(1.0, -h * 4.0));
    }
    return Gradient({qRgb(60, 120, 50), qRgb(50, 140, 55), qRgb(110, 160, 65), qRgb(190, 175, 105),
                     qRgb(232, 212, 155)},
                    std::min(h, 1.0));
}

QRgb blend(QRgb a, QRgb b, double t) {
    auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return qRgb(mix(qRed(a), qRed(b)), mix(qGreen(a), qGreen(b)), mix(qBlue(a), qBlue(b)));
}

QRgb shaded(QRgb c, double light) {
    auto scale = [light](int v) { return std::clamp(static_cast<int>(v * light), 0, 255); };
    return qRgb(scale(qRed(c)), scale(qGreen(c)), scale(qBlue(c)));
}

} // namespace

QImage ClosingPicture() {
    EngineCanvas canvas(kMapSide);
    const PARAM standard{0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728};
    const HeightField field(canvas.LyapunovHeights(0, standard), kMapSide);

    QImage picture(kClosingWidth, kClosingHeight, QImage::Format_RGB32);
    // The sky starts in the closing splash's background colour, so that the
    // star field above runs on into it, and lightens towards the horizon.
    const int horizon = 40;
    const QRgb night = qRgb(0, 16, 48);
    const QRgb haze = qRgb(46, 70, 118);
    for (int y = 0; y < kClosingHeight; ++y) {
        const QRgb sky = blend(night, haze, std::pow(std::min(1.0, y / double(horizon)), 2.0));
        for (int x = 0; x < kClosingWidth; ++x) {
            picture.setPixel(x, y, sky);
        }
    }

    // Each column is a ray from the viewer over the ground, nearest first; a
    // nearer slope hides what lies behind it. The viewer stands outside the
    // map's lower edge, high enough for the edge to lie below the picture.
    const double eyeU = kMapSide / 2.0;
    const double eyeV = kMapSide + 50.0;
    const double eyeHeight = 4.0;
    const double heightScale = 0.9;
    const double depth = 3800.0; // rows per unit of height at unit distance
    const double focal = 150.0;  // columns per unit of width at unit distance
    const double farthest = kMapSide * 3.0;
    for (int sx = 0; sx < kClosingWidth; ++sx) {
        int lowestDrawn = kClosingHeight;
        const double across = (sx - kClosingWidth / 2.0) / focal;
        for (double z = 20.0; z < farthest; z += 0.2 + z * 0.004) {
            const double u = eyeU + across * z;
            const double v = eyeV - z;
            const double ground = field.at(u, v);
            const double h = std::max(ground, 0.0);
            const int top = static_cast<int>(horizon + (eyeHeight - h * heightScale) * depth / z);
            if (top >= lowestDrawn) {
                continue;
            }
            // Light from the upper left: slopes that face it are brighter.
            const double slope = (field.at(u - 1.5, v - 1.5) - field.at(u + 1.5, v + 1.5)) * 5.0;
            const double light = ground <= 0.0 ? 1.0 : std::clamp(0.9 + slope, 0.5, 1.35);
            const double distance = std::clamp((z - 60.0) / (farthest - 60.0), 0.0, 1.0);
            const QRgb colour =
                blend(shaded(groundColour(ground), light), haze, 0.85 * std::sqrt(distance));
            for (int y = std::max(top, 0); y < lowestDrawn; ++y) {
                picture.setPixel(sx, y, colour);
            }
            lowestDrawn = std::max(top, 0);
        }
    }
    return picture;
}

} // namespace orv::pictures
