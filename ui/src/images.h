// Memory images of the windows: a context with its bitmap.
#pragma once

#include "platform/gdi.h"

namespace orv {

// Releases a memory image and forgets both of its handles.
inline void ReleaseImage(HDC& dc, HBITMAP& bitmap) {
    DeleteDC(dc);
    DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
}

} // namespace orv
