// The filters that recolour a paused Hit Count image from its hit counts.
//
// Each returns 0 when it was applied, 1 when fewer than 1000 render steps were
// taken (or there are no counts for the present image size), 2 when the
// colouring method is not Hit Count; equalize returns 3 when its buffers could
// not be had (it then changes nothing). The counts themselves are never changed.
//
// Each paints the image and, where the window shows it, the window's surface
// it is given.
#pragma once

#include "platform/gdi.h"

namespace orv {

// What every filter returns when it may not run (1 or 2), or 0 when it may.
int FilterRefusal();

// Linear: index = 1024 c / hitmax, at most 255.
int normalize(HDC window);
// Histogram equalization of the non-zero counts over entries 1 to 255.
int equalize(HDC window);
// Logarithmic: index = 255 ln c / ln hitmax, or with squared logarithms while
// logsquare is 1.
int logadjust(HDC window);

} // namespace orv
