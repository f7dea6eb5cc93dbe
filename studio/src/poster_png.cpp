#include "studio/poster_files.h"

#include <png.h>

#include <algorithm>
#include <vector>

namespace orv {

namespace {

// Rows asked of the source at a time.
constexpr long kBand = 32;

// The buffers of a write, made before libpng can jump out of it.
struct PngBuffers {
    std::vector<png_text> text;
    std::vector<std::uint16_t> channels;
    std::vector<png_byte> row;
};

// A failed write is told by the command, with the file's name: libpng's own
// messages are not shown.
[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

// Everything libpng can abandon by a jump; returns false after one.
bool Write(png_structp png, png_infop info, std::FILE* file, long width, long height, int depth,
           bool alpha, const TextChunks& text, const RowSource& source, PngBuffers& buffers) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 depth, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    for (const auto& [key, value] : text) {
        png_text chunk{};
        chunk.compression = PNG_TEXT_COMPRESSION_NONE;
        chunk.key = const_cast<char*>(key.c_str());
        chunk.text = const_cast<char*>(value.c_str());
        chunk.text_length = value.size();
        buffers.text.push_back(chunk);
    }
    png_set_text(png, info, buffers.text.data(), static_cast<int>(buffers.text.size()));
    png_write_info(png, info);
    const std::size_t values = (alpha ? 4 : 3) * static_cast<std::size_t>(width);
    for (long first = 0; first < height; first += kBand) {
        const long count = std::min(kBand, height - first);
        source(first, count, buffers.channels.data());
        for (long y = 0; y < count; ++y) {
            const std::uint16_t* in = &buffers.channels[static_cast<std::size_t>(y) * values];
            png_byte* out = buffers.row.data();
            for (std::size_t i = 0; i < values; ++i) {
                if (depth == 16) {
                    *out++ = static_cast<png_byte>(in[i] >> 8);
                }
                *out++ = static_cast<png_byte>(in[i] & 0xFF);
            }
            png_write_row(png, buffers.row.data());
        }
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool WritePosterPng(std::FILE* file, long width, long height, int depth, const TextChunks& text,
                    const RowSource& source, bool alpha) {
    PngBuffers buffers;
    const std::size_t values = (alpha ? 4 : 3) * static_cast<std::size_t>(width);
    buffers.channels.resize(values * static_cast<std::size_t>(std::min(kBand, height)));
    buffers.row.resize(values * static_cast<std::size_t>(depth / 8));
    buffers.text.reserve(text.size());
    // Released also when the source throws.
    struct Writer {
        png_structp png =
            png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
        png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
        ~Writer() { png_destroy_write_struct(&png, &info); }
    } writer;
    return writer.info != nullptr &&
           Write(writer.png, writer.info, file, width, height, depth, alpha, text, source, buffers);
}

} // namespace orv
