// The program's pictures and icon, drawn with the render engine when the
// program is built.
#pragma once

#include "platform/user.h"

namespace orv {

// Registers the bitmaps "WJSPLASH1BITMAP" (320 x 320), "WJSPLASH2BITMAP"
// (320 x 226) and "WJABOUTBITMAP" (480 x 240) for LoadBitmapA.
void RegisterPictures();

// The program's icon, 64 x 64, under the given resource name.
IconResource PictureIcon(const char* name);

} // namespace orv
