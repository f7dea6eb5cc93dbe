// The picture as a PNG file: the same pixels the Targa export writes.
#pragma once

#include "platform/gdi.h"

namespace orv {

// Writes the res x res picture held by hdc to path as an 8-bit RGB PNG.
// Returns the save result codes of the Targa export: 0 success, 1 the file
// cannot be opened, 2 no memory for the pixels, 3 the file cannot be
// written.
int WritePng(HDC hdc, const char* path);

} // namespace orv
