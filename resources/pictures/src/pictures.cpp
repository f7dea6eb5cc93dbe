#include "resources/pictures.h"

#include "picture_data.h"
#include "platform/bitmap_resource.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {

std::vector<std::uint32_t> colours(const PictureData& picture) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(picture.width) *
                                   static_cast<std::size_t>(picture.height));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char* rgb = picture.rgb + 3 * i;
        out[i] = RGB(rgb[0], rgb[1], rgb[2]);
    }
    return out;
}

const PictureData* findPicture(const char* name) {
    const PictureData* end = kPictures + kPictureCount;
    const PictureData* found = std::find_if(
        kPictures, end, [name](const PictureData& p) { return std::strcmp(p.name, name) == 0; });
    return found != end ? found : nullptr;
}

} // namespace

void RegisterPictures() {
    for (const char* name : {"WJSPLASH1BITMAP", "WJSPLASH2BITMAP", "WJABOUTBITMAP"}) {
        if (const PictureData* picture = findPicture(name)) {
            RegisterBitmapResource(name, picture->width, picture->height, colours(*picture));
        }
    }
}

IconResource PictureIcon(const char* name) {
    IconResource icon;
    icon.name = name;
    if (const PictureData* picture = findPicture("WJORVANTISICON")) {
        icon.width = picture->width;
        icon.height = picture->height;
        icon.pixels = colours(*picture);
        for (std::uint32_t& pixel : icon.pixels) {
            pixel |= 0xFF000000u;
        }
    }
    return icon;
}

} // namespace orv
