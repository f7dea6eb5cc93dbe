// Bitmaps registered as resources under a name, as the program's pictures
// are, and loaded from there as Win32 loads a bitmap resource.
#pragma once

#include "platform/gdi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Makes a picture known under a resource name. The pixels are COLORREF
// values (0x00BBGGRR), row by row from the top; there must be width x
// height of them. Returns FALSE, and registers nothing, when the size and
// the pixels do not agree. A later registration under the same name
// replaces the earlier one.
BOOL RegisterBitmapResource(const std::string& name, int width, int height,
                            std::vector<std::uint32_t> pixels);

// A new bitmap holding the picture registered under the name, or nullptr
// when there is none or no memory for it. The caller owns it and releases it
// with DeleteObject; loading the same name again gives another bitmap.
HBITMAP LoadBitmapA(HINSTANCE instance, const char* name);

} // namespace orv
