#include "cli/png_writer.h"
#include "platform/kernel.h"
#include "platform/local_block.h"
#include "render/state.h"
#include "studio/poster_files.h"

#include <algorithm>
#include <cstdint>

namespace orv {

SaveResult WritePng(HDC hdc, const char* path, SafeFile& file, const TextChunks& text) {
    const std::size_t side = static_cast<std::size_t>(res);
    const LocalBlock<unsigned char> rgb(LMEM_ZEROINIT, 3 * side * side);
    if (!rgb) {
        return SaveResult::NoMemory;
    }
    unsigned char* out = &rgb[0];
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            const COLORREF colour = GetPixel(hdc, x, y);
            *out++ = GetRValue(colour);
            *out++ = GetGValue(colour);
            *out++ = GetBValue(colour);
        }
    }
    if (const SaveResult opened = file.Open(path); opened != SaveResult::Saved) {
        return opened;
    }

    const std::size_t row = 3 * side;
    const bool written = WritePosterPng(
        file.stream(), res, res, 8, text, [&](long first, long count, std::uint16_t* channels) {
            const unsigned char* from = &rgb[0] + static_cast<std::size_t>(first) * row;
            std::copy(from, from + static_cast<std::size_t>(count) * row, channels);
        });
    const SaveResult closed = file.Close();
    return written ? closed : SaveResult::WriteError;
}

SaveResult WritePng(HDC hdc, const char* path, const TextChunks& text) {
    SafeFile file;
    const SaveResult written = WritePng(hdc, path, file, text);
    return written == SaveResult::Saved ? file.Commit() : written;
}

} // namespace orv
