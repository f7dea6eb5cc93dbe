// A window's drawing surface, taken for as long as the object lives.
#pragma once

#include "platform/gdi.h"

namespace orv {

class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDC() { ReleaseDC(hwnd_, hdc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return hdc_; }

  private:
    HWND hwnd_;
    HDC hdc_;
};

} // namespace orv
