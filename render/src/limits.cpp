#include "render/limits.h"
#include "render/state.h"

#include <cmath>
#include <utility>

namespace orv {

namespace {

// "nan" is read as a number by the C library; it means nothing here, so it
// counts as text without a number, which reads as 0.
double Numeric(double value) {
    return std::isnan(value) ? 0.0 : value;
}

double Within(double value, double low, double high) {
    value = Numeric(value);
    if (value <= low) {
        return low;
    }
    if (value >= high) {
        return high;
    }
    return value;
}

} // namespace

int ClampResolution(long value) {
    if (value < 200) {
        return 200;
    }
    if (value > 4000) {
        return 4000;
    }
    return static_cast<int>(value);
}

double ClampAB(double value) {
    return Within(value, abcdrange[0], abcdrange[1]);
}

double ClampCD(double value) {
    return Within(value, abcdrange[2], abcdrange[3]);
}

double ClampRotation(double degrees) {
    return Within(degrees, 0.0, 360.0);
}

double ClampStart(double value) {
    return Within(value, 0.01, 0.99);
}

int ClampColor(long value) {
    if (value < 0) {
        return 0;
    }
    if (value > 255) {
        return 255;
    }
    return static_cast<int>(value);
}

bool ClampRange(double& low, double& high, double outerLow, double outerHigh) {
    low = Numeric(low);
    high = Numeric(high);
    if (low > high) {
        std::swap(low, high);
    }
    if (low < outerLow) {
        low = outerLow;
    }
    if (high > outerHigh) {
        high = outerHigh;
    }
    return !(high - low < kMinimumViewWidth);
}

} // namespace orv
