// Colouring one iterate into the hit-count buffer, the image and the window.
#pragma once

#include "platform/gdi.h"

#include <cstdint>

namespace orv {

// One float per pixel, res x res, row by row; hcres is the side it was made
// for (0 while there is none).
extern float* hitcount;
extern std::uint32_t hitmax;

// Colours the pixel (xplot1, yplot1) from the iterate v and the one before
// it, oldv, in the counts, the image and window, the window's surface.
int plot(HDC window, int xplot1, int yplot1);

} // namespace orv
