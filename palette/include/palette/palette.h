// The working palette, its staging twin and the built-in palettes.
//
// A palette is 256 entries of three bytes: entry i holds red, green and blue
// at bytes 3i, 3i + 1 and 3i + 2.
#pragma once

#include "platform/types.h"

namespace orv {

extern unsigned char palette[768];
extern unsigned char paltemp[768];
extern const unsigned char defpal1[768];
extern const unsigned char defpal2[768];

// Installs a 768-byte palette as the working palette.
void genpalette(const unsigned char* buffer);

// The colour of entry i of a palette.
inline COLORREF PaletteColor(const unsigned char* pal, unsigned i) {
    return RGB(pal[3 * i], pal[3 * i + 1], pal[3 * i + 2]);
}

} // namespace orv
