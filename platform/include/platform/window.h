// The record behind a window handle, shared by the platform core and its
// backends.
#pragma once

#include "platform/gdi.h"
#include "platform/user.h"

#include <string>

namespace orv {

struct WindowClass {
    WNDCLASSA wc;
    std::string name;
    std::string menuName;
};

struct Window {
    const WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT frame;  // position and size on the screen
    RECT client; // client rectangle, always with left = top = 0
    HWND owner = nullptr;
    HMENU menu = nullptr;
    bool visible = false;
    bool enabled = true;
    bool destroyed = false;
    bool invalid = false; // a WM_PAINT is due
    bool erase = false;
    RECT invalidRect;
    Bitmap* surface = nullptr; // the client area's pixels
    DC dc;                     // the context handed out by GetDC
    void* backendData = nullptr;
    LONG_PTR userData = 0; // the program's own, GWLP_USERDATA
    // Dialog controls: the control id, the dialog they belong to and the
    // check of a button (the text is the title).
    int id = 0;
    HWND parent = nullptr;
    bool checked = false;
};

// Resizes a window's client surface; the old pixels are kept where they fit.
void ResizeClientSurface(HWND hwnd, int width, int height);

} // namespace orv

namespace orv {

// Keeps a window's context in the list of live contexts (so that deleting an
// object selected into it is safe), or takes it out when the window goes.
void RememberWindowContext(HWND hwnd);
void ForgetWindowContext(HWND hwnd);

} // namespace orv
