#include "cli/png_writer.h"
#include "platform/kernel.h"
#include "render/state.h"

#include <png.h>

#include <cstdio>

namespace orv {

int WritePng(HDC hdc, const char* path) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return 1;
    }
    const std::size_t side = static_cast<std::size_t>(res);
    auto* rgb = static_cast<unsigned char*>(LocalAlloc(LMEM_ZEROINIT, 3 * side * side));
    if (rgb == nullptr) {
        std::fclose(file);
        return 2;
    }
    unsigned char* out = rgb;
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            const COLORREF colour = GetPixel(hdc, x, y);
            *out++ = GetRValue(colour);
            *out++ = GetGValue(colour);
            *out++ = GetBValue(colour);
        }
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(res);
    image.height = static_cast<png_uint_32>(res);
    image.format = PNG_FORMAT_RGB;
    const int written = png_image_write_to_stdio(&image, file, 0, rgb, 0, nullptr);
    png_image_free(&image);
    LocalFree(rgb);
    // Closing flushes the last buffered bytes, so a full disk may only show
    // here.
    const bool closed = std::fclose(file) == 0;
    return written != 0 && closed ? 0 : 3;
}

} // namespace orv
