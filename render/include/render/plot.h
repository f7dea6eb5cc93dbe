// Colouring one iterate into the hit-count buffer, the image and the window.
#pragma once

#include <cstdint>

namespace orv {

// One float per pixel, res x res, row by row; hcres is the side it was made
// for (0 while there is none).
extern float* hitcount;
extern std::uint32_t hitmax;

int plot(int xplot1, int yplot1);

} // namespace orv
