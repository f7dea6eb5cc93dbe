#include "palette/palette.h"

#include <cstring>

namespace orv {

unsigned char palette[768];
unsigned char paltemp[768];

void genpalette(const unsigned char* buffer) {
    std::memcpy(palette, buffer, sizeof palette);
}

} // namespace orv
