// The ranges every value the user types is clamped into. The dialogs and the
// batch renderer both go through these, so a value means the same wherever
// it was entered.
#pragma once

namespace orv {

constexpr double kMinimumViewWidth = 0.05;

// The image side: 200 to 4000.
int ClampResolution(long value);
// a and b within abcdrange[0] to abcdrange[1]; c and d within abcdrange[2]
// to abcdrange[3].
double ClampAB(double value);
double ClampCD(double value);
// A rotation angle in degrees: 0 to 360.
double ClampRotation(double degrees);
// xstart and ystart: 0.01 to 0.99.
double ClampStart(double value);
// A background component: 0 to 255.
int ClampColor(long value);
// One axis of a view window: puts the ends in order and within the outer
// limits; false when what is left is narrower than kMinimumViewWidth.
bool ClampRange(double& low, double& high, double outerLow, double outerHigh);

} // namespace orv
