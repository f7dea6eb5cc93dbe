// The filters that recolour a paused Hit Count image from its hit counts.
//
// Each returns 0 when it was applied, 1 when fewer than 1000 render steps were
// taken (or there are no counts for the present image size), 2 when the
// colouring method is not Hit Count; equalize returns 3 when its buffers could
// not be had (it then changes nothing). The counts themselves are never changed.
#pragma once

namespace orv {

// Linear: index = 1024 c / hitmax, at most 255.
int normalize();
// Histogram equalization of the non-zero counts over entries 1 to 255.
int equalize();
// Logarithmic: index = 255 ln c / ln hitmax, or with squared logarithms while
// logsquare is 1.
int logadjust();

} // namespace orv
