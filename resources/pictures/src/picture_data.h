// The pictures as the build made them (pictures_data.cpp, written by
// orv_picturetool): red, green and blue bytes, row by row from the top.
#pragma once

#include <cstddef>

namespace orv {

struct PictureData {
    const char* name;
    int width;
    int height;
    const unsigned char* rgb;
};

extern const PictureData kPictures[];
extern const std::size_t kPictureCount;

} // namespace orv
