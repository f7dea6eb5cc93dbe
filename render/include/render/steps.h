// The render steps of a render in progress: the kernel moves the iterate v
// on (oldv keeps the point before, itercount counts steps up to 1000) and
// each new point colours its pixel with the selected method, in the
// hit-count buffer, the image and the main window.
#pragma once

#include "platform/gdi.h"

#include <cstdint>

namespace orv {

enum class Colouring { kSkip, kPlot };

// Takes count steps of the selected type with the inputs of the render
// state, drawing on window (the main window's device context). With kSkip
// the steps colour nothing, as the first step of a render does. One call of
// many steps gives exactly what as many calls of one step give; a single
// step reads the inputs afresh, so a change between two calls takes effect
// at the next step.
void TakeSteps(HDC window, std::uint64_t count, Colouring colouring);

} // namespace orv
