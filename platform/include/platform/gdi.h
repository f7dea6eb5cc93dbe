// Drawing surfaces: device contexts, bitmaps, brushes, pens and the drawing
// operations on them.
//
// Every surface is a 32-bit pixel buffer. A pixel is stored as its COLORREF
// with the top byte set to 0xFF, so that in memory it reads red, green, blue,
// 0xFF (the layout toolkits call RGBX8888) and can be shown without conversion.
#pragma once

#include "platform/types.h"

#include <memory>
#include <string>

namespace orv {

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr std::uint32_t kOpaque = 0xFF000000u;

enum class GdiKind { Bitmap, Brush, Pen, Font };

struct GdiObject {
    explicit GdiObject(GdiKind k, bool stock = false) : kind(k), isStock(stock) {}
    virtual ~GdiObject() = default;
    GdiKind kind;
    bool isStock;
};

struct Bitmap : GdiObject {
    Bitmap(int w, int h);
    int width;
    int height;
    std::unique_ptr<std::uint32_t[]> bits;
};

struct Brush : GdiObject {
    explicit Brush(COLORREF c, bool null = false, bool stock = false)
        : GdiObject(GdiKind::Brush, stock), color(c), isNull(null) {}
    COLORREF color;
    bool isNull;
};

struct Pen : GdiObject {
    Pen(int s, int w, COLORREF c, bool stock = false)
        : GdiObject(GdiKind::Pen, stock), style(s), width(w), color(c) {}
    int style;
    int width;
    COLORREF color;
};

// A device context. The pixel pointer and size come first: SetPixel and
// GetPixel only touch these, and SetPixel on a window's context also the
// bounds of what it changed, so that only that part needs showing.
struct DC {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
    HWND window = nullptr;    // the window whose surface this is, if any
    RECT touched{0, 0, 0, 0}; // on a window's context: what changed since last shown
    Bitmap* bitmap = nullptr; // the bitmap selected into a memory context
    bool memory = false;
    Brush* brush = nullptr;
    Pen* pen = nullptr;
    COLORREF textColor = 0;
    int bkMode = 2;
    POINT position;
    bool customized = false; // an attribute differs from the defaults
};

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int BS_SOLID = 0;
constexpr int BITSPIXEL = 12;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

struct LOGBRUSH {
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    std::uintptr_t lbHatch = 0;
};

// Inlined wherever it is used: the render loop sets two pixels a step.
[[gnu::always_inline]] inline COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (static_cast<unsigned>(x) < static_cast<unsigned>(dc->width) &&
        static_cast<unsigned>(y) < static_cast<unsigned>(dc->height)) {
        dc->bits[static_cast<std::size_t>(y) * static_cast<unsigned>(dc->width) +
                 static_cast<unsigned>(x)] = (color & 0x00FFFFFFu) | kOpaque;
        RECT& t = dc->touched;
        // Most pixels a render sets lie in what it changed since the window
        // was last shown.
        if (dc->window != nullptr && (x < t.left || x >= t.right || y < t.top || y >= t.bottom)) {
            if (t.left >= t.right) {
                t = RECT{x, y, x + 1, y + 1};
            } else {
                t.left = x < t.left ? x : t.left;
                t.top = y < t.top ? y : t.top;
                t.right = x >= t.right ? x + 1 : t.right;
                t.bottom = y >= t.bottom ? y + 1 : t.bottom;
            }
        }
        return color & 0x00FFFFFFu;
    }
    return CLR_INVALID;
}

inline COLORREF GetPixel(HDC dc, int x, int y) {
    if (static_cast<unsigned>(x) < static_cast<unsigned>(dc->width) &&
        static_cast<unsigned>(y) < static_cast<unsigned>(dc->height)) {
        return dc->bits[static_cast<std::size_t>(y) * static_cast<unsigned>(dc->width) +
                        static_cast<unsigned>(x)] &
               0x00FFFFFFu;
    }
    return CLR_INVALID;
}

HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* logbrush);
HPEN CreatePen(int style, int width, COLORREF color);

int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
COLORREF SetTextColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
BOOL TextOutA(HDC dc, int x, int y, const char* text, int length);
int GetDeviceCaps(HDC dc, int index);

} // namespace orv
