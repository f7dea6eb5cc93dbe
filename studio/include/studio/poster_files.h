// The files a poster writes: the picture as PNG with its recipe, and the raw
// counts as OpenEXR. Both write to a stream the caller opened, so that the
// caller decides when the file takes its name.
#pragma once

#include "studio/poster_grid.h"
#include "studio/poster_recipe.h"

#include <cstdint>
#include <cstdio>
#include <functional>

namespace orv {

// Fills rows first to first + count - 1 of the picture, 3 channel values a
// pixel, rows one after another.
using RowSource = std::function<void(long first, long count, std::uint16_t* channels)>;

// Writes a width x height RGB PNG of depth 8 or 16 bits per channel with the
// text chunks, asking source for its rows in bands. Channel values are 0 to
// 255, or 0 to 65535 at depth 16. With alpha the PNG is RGBA and the source
// gives 4 channel values a pixel. False when libpng failed; a failed write
// shows in the stream's error flag.
bool WritePosterPng(std::FILE* file, long width, long height, int depth, const TextChunks& text,
                    const RowSource& source, bool alpha = false);

// Writes the counts of the grid, exactly, as an OpenEXR image of the grid's
// size: while every count is at most 2^24, as one 32-bit float channel "Y";
// while every count fits 32 bits, as one 32-bit whole number channel "Y";
// else as two such channels, "high" and "low", the count being high * 2^32 +
// low. False, with the library's message in error, when it failed.
bool WriteCountsExr(std::FILE* file, const CountGrid& grid, std::string& error);

} // namespace orv
