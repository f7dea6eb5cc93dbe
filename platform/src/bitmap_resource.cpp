// Bitmaps registered as resources.
#include "platform/bitmap_resource.h"
#include "queue.h"

#include <algorithm>
#include <map>
#include <new>

namespace orv {

namespace {

struct BitmapResource {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

std::map<std::string, BitmapResource>& bitmaps() {
    static std::map<std::string, BitmapResource> all;
    return all;
}

} // namespace

void ResetBitmapResources() {
    bitmaps().clear();
}

BOOL RegisterBitmapResource(const std::string& name, int width, int height,
                            std::vector<std::uint32_t> pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return FALSE;
    }
    bitmaps()[name] = BitmapResource{width, height, std::move(pixels)};
    return TRUE;
}

HBITMAP LoadBitmapA(HINSTANCE, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    auto found = bitmaps().find(name);
    if (found == bitmaps().end()) {
        return nullptr;
    }
    const BitmapResource& resource = found->second;
    Bitmap* bitmap = nullptr;
    try {
        bitmap = new Bitmap(resource.width, resource.height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    std::transform(resource.pixels.begin(), resource.pixels.end(), bitmap->bits.get(),
                   [](std::uint32_t colour) { return (colour & 0x00FFFFFFu) | kOpaque; });
    return bitmap;
}

} // namespace orv
