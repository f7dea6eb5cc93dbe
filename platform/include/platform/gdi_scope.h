// Drawing surfaces (with WindowDC) and drawing objects that are given back when they go out
// of scope, so that every exit of a drawing operation releases them.
#pragma once

#include "platform/gdi.h"
#include "platform/window_dc.h"

namespace orv {

// A memory drawing surface compatible with another, deleted at the end of its
// scope.
class MemoryDC {
  public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// A drawing object selected into a surface for the length of a scope: at its
// end the surface gets back what it held before and the object is deleted.
// An object that could not be made (null) is neither selected nor deleted.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), object_(object), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        SelectObject(dc_, previous_);
        DeleteObject(object_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    explicit operator bool() const { return object_ != nullptr; }

  private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
};

} // namespace orv
