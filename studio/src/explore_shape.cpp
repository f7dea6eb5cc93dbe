#include "studio/explore_shape.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Calls visit(x, y) for every pixel with a count, row by row.
template <class Visit> void forEachLit(const CountGrid& grid, Visit visit) {
    const std::size_t width = static_cast<std::size_t>(grid.width());
    const std::size_t height = static_cast<std::size_t>(grid.height());
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            if (grid.count(y * width + x) != 0) {
                visit(static_cast<double>(x), static_cast<double>(y));
            }
        }
    }
}

} // namespace

Shape MeasureShape(const CountGrid& grid) {
    double lit = 0.0;
    double sumx = 0.0;
    double sumy = 0.0;
    forEachLit(grid, [&](double x, double y) {
        lit += 1.0;
        sumx += x;
        sumy += y;
    });
    Shape shape;
    if (lit == 0.0) {
        return shape;
    }
    shape.coverage = lit / static_cast<double>(grid.pixels());
    const double meanx = sumx / lit;
    const double meany = sumy / lit;
    double xx = 0.0;
    double yy = 0.0;
    double xy = 0.0;
    forEachLit(grid, [&](double x, double y) {
        const double dx = x - meanx;
        const double dy = y - meany;
        xx += dx * dx;
        yy += dy * dy;
        xy += dx * dy;
    });
    // The variances along the principal axes are the eigenvalues of the
    // covariance matrix.
    const double middle = (xx + yy) / 2.0;
    const double radius = std::sqrt((xx - yy) * (xx - yy) / 4.0 + xy * xy);
    const double wide = middle + radius;
    const double narrow = std::max(middle - radius, 0.0);
    shape.thickness = wide > 0.0 ? std::sqrt(narrow / wide) : 0.0;
    return shape;
}

std::string Degenerate(const Shape& shape, bool framed) {
    if (shape.coverage < (framed ? kLeastFramedCoverage : kLeastCoverage)) {
        return "too few pixels";
    }
    if (shape.coverage > kMostCoverage) {
        return "covers almost all of the image";
    }
    if (shape.thickness < kLeastThickness) {
        return "a line";
    }
    return {};
}

} // namespace orv
