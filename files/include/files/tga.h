// The Targa image export: an uncompressed 24-bit image, top row first, with a
// TGA 2.0 footer.
#pragma once

#include "platform/gdi.h"

#include <cstdint>

namespace orv {

// The 18-byte header, field by field in file order.
struct TGAHEADER {
    std::uint8_t idfield = 0;
    std::uint8_t colormaptype = 0;
    std::uint8_t imagetype = 2; // uncompressed true colour
    std::uint16_t colormapstart = 0;
    std::uint16_t colormaplength = 0;
    std::uint8_t colormapbits = 0;
    std::uint16_t xstart = 0;
    std::uint16_t ystart = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t bits = 24;
    std::uint8_t descriptor = 0x20; // the first stored row is the top row
};

// The 26-byte footer: no extension area, no developer directory, and the
// signature with its terminating zero.
struct TGAFOOTER {
    std::uint32_t extoffset = 0;
    std::uint32_t devdiroffset = 0;
    char sig[18] = "TRUEVISION-XFILE.";
};

constexpr int kTgaHeaderBytes = 18;
constexpr int kTgaFooterBytes = 26;

// The texts of the save results 1 to 3, shared with the parameter file.
extern const char* const saveerror[3];

// Writes the res x res picture of hdc (the off-screen image) to tgafile.
// Returns 0, 1 when the file cannot be opened, 2 when there is no memory for
// a row and 3 when the file cannot be written completely.
int writetga(HDC hdc);

} // namespace orv
