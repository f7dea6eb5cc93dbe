// The Targa image export: an uncompressed 24-bit image, top row first, with a
// TGA 2.0 footer.
#pragma once

#include "files/safe_file.h"
#include "platform/gdi.h"

#include <cstdint>
#include <functional>

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

// What the caller shows while the rows are written, the long part of an
// export: begin runs once the header is written, end once the file is closed,
// written completely or not. Neither runs when the file cannot be started.
struct WhileWriting {
    std::function<void()> begin;
    std::function<void()> end;
};

// Writes the res x res picture of hdc (the off-screen image) to tgafile,
// replacing the file only once it is complete: OpenError when the file cannot
// be created, NoMemory when there is no memory for a row (then no file is
// touched), WriteError when it cannot be written completely.
SaveResult writetga(HDC hdc, const WhileWriting& shown = {});

// Writes the picture into file, opened here at path, and closes it without
// committing it, so that it can be committed together with another file.
SaveResult WriteTarga(HDC hdc, const char* path, SafeFile& file, const WhileWriting& shown = {});

} // namespace orv
