#include "cli/png_writer.h"
#include "platform/kernel.h"
#include "render/state.h"

#include <png.h>

namespace orv {

SaveResult WritePng(HDC hdc, const char* path, SafeFile& file) {
    const std::size_t side = static_cast<std::size_t>(res);
    const LocalBlock<unsigned char> rgb(
        static_cast<unsigned char*>(LocalAlloc(LMEM_ZEROINIT, 3 * side * side)));
    if (rgb == nullptr) {
        return SaveResult::NoMemory;
    }
    unsigned char* out = rgb.get();
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

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(res);
    image.height = static_cast<png_uint_32>(res);
    image.format = PNG_FORMAT_RGB;
    const int written = png_image_write_to_stdio(&image, file.stream(), 0, rgb.get(), 0, nullptr);
    png_image_free(&image);
    const SaveResult closed = file.Close();
    return written != 0 ? closed : SaveResult::WriteError;
}

SaveResult WritePng(HDC hdc, const char* path) {
    SafeFile file;
    const SaveResult written = WritePng(hdc, path, file);
    return written == SaveResult::Saved ? file.Commit() : written;
}

} // namespace orv
