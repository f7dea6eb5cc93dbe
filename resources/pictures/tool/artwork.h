// The program's pictures, each drawn with the render engine and composed
// with Qt. The sizes are those the windows show them at.
#pragma once

#include <QImage>

namespace orv::pictures {

constexpr int kStartSide = 320;    // "WJSPLASH1BITMAP", 320 x 320
constexpr int kClosingWidth = 320; // "WJSPLASH2BITMAP", 320 x 226
constexpr int kClosingHeight = 226;
constexpr int kAboutWidth = 480; // "WJABOUTBITMAP", 480 x 240
constexpr int kAboutHeight = 240;
constexpr int kIconSide = 256; // the icon at its largest

// A gold attractor curve with the program's name on black, inside a dark
// red frame.
QImage StartPicture();

// A landscape seen from above its foreground: a Lyapunov map used as a
// height field, blue valleys, green slopes and sand-coloured heights, under
// the night sky that the closing splash continues above it.
QImage ClosingPicture();

// The program's name and what it does, on dark green.
QImage AboutPicture();

// A gold attractor on black in a dark red rounded square; transparent
// outside the square.
QImage IconPicture();

} // namespace orv::pictures
