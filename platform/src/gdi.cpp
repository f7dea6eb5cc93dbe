// Device contexts and GDI objects on 32-bit pixel buffers.
#include "platform/gdi.h"
#include "platform/backend.h"
#include "platform/window.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace orv {

Bitmap::Bitmap(int w, int h)
    : GdiObject(GdiKind::Bitmap), width(w), height(h),
      bits(new std::uint32_t[static_cast<std::size_t>(w) * static_cast<std::size_t>(h)]) {
    std::fill_n(bits.get(), static_cast<std::size_t>(w) * static_cast<std::size_t>(h), kOpaque);
}

namespace {

// Every live context, so that deleting an object still selected somewhere
// can put the default object back instead of leaving a dangling selection.
std::vector<DC*>& liveContexts() {
    static std::vector<DC*> contexts;
    return contexts;
}

// Stock objects live for the whole run; they are looked up on every GetDC,
// so they are plain namespace-scope objects rather than function statics.
Brush stockWhiteBrush(RGB(255, 255, 255), false, true);
Brush stockLtgrayBrush(RGB(192, 192, 192), false, true);
Brush stockGrayBrush(RGB(128, 128, 128), false, true);
Brush stockDkgrayBrush(RGB(64, 64, 64), false, true);
Brush stockBlackBrush(RGB(0, 0, 0), false, true);
Brush stockNullBrush(0, true, true);
Pen stockWhitePen(PS_SOLID, 1, RGB(255, 255, 255), true);
Pen stockBlackPen(PS_SOLID, 1, RGB(0, 0, 0), true);
Pen stockNullPen(PS_NULL, 1, 0, true);

Brush* stockBrush(int index) {
    switch (index) {
    case WHITE_BRUSH:
        return &stockWhiteBrush;
    case LTGRAY_BRUSH:
        return &stockLtgrayBrush;
    case GRAY_BRUSH:
        return &stockGrayBrush;
    case DKGRAY_BRUSH:
        return &stockDkgrayBrush;
    case BLACK_BRUSH:
        return &stockBlackBrush;
    case NULL_BRUSH:
        return &stockNullBrush;
    default:
        return nullptr;
    }
}

Pen* stockPen(int index) {
    switch (index) {
    case WHITE_PEN:
        return &stockWhitePen;
    case BLACK_PEN:
        return &stockBlackPen;
    case NULL_PEN:
        return &stockNullPen;
    default:
        return nullptr;
    }
}

// The 1 x 1 bitmap that a new memory context starts with.
Bitmap* defaultBitmap() {
    static Bitmap* bitmap = [] {
        auto* b = new Bitmap(1, 1);
        b->isStock = true;
        return b;
    }();
    return bitmap;
}

void attachBitmap(DC* dc, Bitmap* bitmap) {
    dc->bitmap = bitmap;
    dc->bits = bitmap->bits.get();
    dc->width = bitmap->width;
    dc->height = bitmap->height;
}

// Adds a rectangle to what a window's context changed (the part of the
// surface the backend must show again). Memory contexts keep no record.
void touch(HDC dc, int left, int top, int right, int bottom) {
    if (dc->window == nullptr) {
        return;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, dc->width);
    bottom = std::min(bottom, dc->height);
    if (left >= right || top >= bottom) {
        return;
    }
    RECT& t = dc->touched;
    if (t.left >= t.right) {
        t = RECT{left, top, right, bottom};
        return;
    }
    t.left = std::min(t.left, left);
    t.top = std::min(t.top, top);
    t.right = std::max(t.right, right);
    t.bottom = std::max(t.bottom, bottom);
}

void fillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, dc->width);
    bottom = std::min(bottom, dc->height);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t pixel = (color & 0x00FFFFFFu) | kOpaque;
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* row = dc->bits + static_cast<std::size_t>(y) * dc->width;
        std::fill(row + left, row + right, pixel);
    }
    touch(dc, left, top, right, bottom);
}

// Draws the line from (x0, y0) towards (x1, y1), leaving out the end point.
void drawLine(HDC dc, int x0, int y0, int x1, int y1) {
    if (dc->pen == nullptr || dc->pen->style == PS_NULL) {
        return;
    }
    const COLORREF color = dc->pen->color;
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        SetPixel(dc, x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void resetAttributes(DC* dc) {
    dc->brush = &stockWhiteBrush;
    dc->pen = &stockBlackPen;
    dc->textColor = RGB(0, 0, 0);
    dc->bkMode = OPAQUE;
    dc->position = POINT{};
    dc->customized = false;
}

} // namespace

HGDIOBJ GetStockObject(int index) {
    if (Brush* b = stockBrush(index)) {
        return b;
    }
    return stockPen(index);
}

HDC GetDC(HWND hwnd) {
    // A destroyed window has no surface any more.
    if (hwnd == nullptr || hwnd->surface == nullptr) {
        return nullptr;
    }
    DC* dc = &hwnd->dc;
    if (dc->customized) {
        resetAttributes(dc);
    }
    return dc;
}

int ReleaseDC(HWND hwnd, HDC dc) {
    if (hwnd == nullptr || dc != &hwnd->dc) {
        return 0;
    }
    return 1;
}

HDC CreateCompatibleDC(HDC) {
    auto* dc = new (std::nothrow) DC;
    if (dc == nullptr) {
        return nullptr;
    }
    dc->memory = true;
    resetAttributes(dc);
    attachBitmap(dc, defaultBitmap());
    liveContexts().push_back(dc);
    return dc;
}

BOOL DeleteDC(HDC dc) {
    if (dc == nullptr || !dc->memory) {
        return FALSE;
    }
    auto& contexts = liveContexts();
    contexts.erase(std::remove(contexts.begin(), contexts.end(), dc), contexts.end());
    delete dc;
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    try {
        return new Bitmap(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (dc == nullptr || object == nullptr) {
        return nullptr;
    }
    switch (object->kind) {
    case GdiKind::Bitmap: {
        if (!dc->memory) {
            return nullptr;
        }
        Bitmap* previous = dc->bitmap;
        attachBitmap(dc, static_cast<Bitmap*>(object));
        return previous;
    }
    case GdiKind::Brush: {
        dc->customized = true;
        Brush* previous = dc->brush;
        dc->brush = static_cast<Brush*>(object);
        return previous;
    }
    case GdiKind::Pen: {
        dc->customized = true;
        Pen* previous = dc->pen;
        dc->pen = static_cast<Pen*>(object);
        return previous;
    }
    case GdiKind::Font:
        return nullptr;
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (object == nullptr) {
        return FALSE;
    }
    if (object->isStock) {
        return TRUE;
    }
    auto detach = [object](DC* dc) {
        if (dc->bitmap == object) {
            attachBitmap(dc, defaultBitmap());
        }
        if (dc->brush == object) {
            dc->brush = stockBrush(WHITE_BRUSH);
        }
        if (dc->pen == object) {
            dc->pen = stockPen(BLACK_PEN);
        }
    };
    for (DC* dc : liveContexts()) {
        detach(dc);
    }
    delete object;
    return TRUE;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return new (std::nothrow) Brush(color & 0x00FFFFFFu);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* logbrush) {
    if (logbrush == nullptr) {
        return nullptr;
    }
    return new (std::nothrow) Brush(logbrush->lbColor & 0x00FFFFFFu);
}

HPEN CreatePen(int style, int width, COLORREF color) {
    return new (std::nothrow) Pen(style, width, color & 0x00FFFFFFu);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (dc == nullptr || rect == nullptr || brush == nullptr) {
        return 0;
    }
    if (!brush->isNull) {
        fillSolid(dc, rect->left, rect->top, rect->right, rect->bottom, brush->color);
    }
    return 1;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (dc == nullptr) {
        return FALSE;
    }
    if (width < 0) {
        x += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        height = -height;
    }
    switch (rop) {
    case PATCOPY:
        if (dc->brush != nullptr && !dc->brush->isNull) {
            fillSolid(dc, x, y, x + width, y + height, dc->brush->color);
        }
        return TRUE;
    case BLACKNESS:
        fillSolid(dc, x, y, x + width, y + height, RGB(0, 0, 0));
        return TRUE;
    case WHITENESS:
        fillSolid(dc, x, y, x + width, y + height, RGB(255, 255, 255));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    if (dst == nullptr) {
        return FALSE;
    }
    if (rop != SRCCOPY) {
        return PatBlt(dst, x, y, width, height, rop);
    }
    if (src == nullptr) {
        return FALSE;
    }
    // Clip the rectangle against both surfaces.
    if (x < 0) {
        width += x;
        sx -= x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        sy -= y;
        y = 0;
    }
    if (sx < 0) {
        width += sx;
        x -= sx;
        sx = 0;
    }
    if (sy < 0) {
        height += sy;
        y -= sy;
        sy = 0;
    }
    width = std::min({width, dst->width - x, src->width - sx});
    height = std::min({height, dst->height - y, src->height - sy});
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    const bool downwards = !(src->bits == dst->bits && sy < y);
    for (int i = 0; i < height; ++i) {
        const int row = downwards ? i : height - 1 - i;
        std::memmove(dst->bits + static_cast<std::size_t>(y + row) * dst->width + x,
                     src->bits + static_cast<std::size_t>(sy + row) * src->width + sx,
                     static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    }
    touch(dst, x, y, x + width, y + height);
    return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->position;
    }
    dc->customized = true;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (dc == nullptr) {
        return FALSE;
    }
    drawLine(dc, dc->position.x, dc->position.y, x, y);
    dc->position = POINT{x, y};
    dc->customized = true;
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    if (dc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    for (int i = 1; i < count; ++i) {
        drawLine(dc, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    return TRUE;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    dc->customized = true;
    const COLORREF previous = dc->textColor;
    dc->textColor = color & 0x00FFFFFFu;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr) {
        return 0;
    }
    dc->customized = true;
    const int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

BOOL TextOutA(HDC dc, int x, int y, const char* text, int length) {
    if (dc == nullptr || text == nullptr || length < 0) {
        return FALSE;
    }
    CurrentBackend().textOut(dc, x, y, std::string(text, static_cast<std::size_t>(length)));
    // The text's extent is the backend's; the whole surface is shown again.
    touch(dc, 0, 0, dc->width, dc->height);
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    if (dc == nullptr || index != BITSPIXEL) {
        return 0;
    }
    return CurrentBackend().bitsPerPixel();
}

void ResizeClientSurface(HWND hwnd, int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    auto* surface = new Bitmap(width, height);
    if (hwnd->surface != nullptr) {
        const int w = std::min(width, hwnd->surface->width);
        const int h = std::min(height, hwnd->surface->height);
        for (int y = 0; y < h; ++y) {
            std::memcpy(surface->bits.get() + static_cast<std::size_t>(y) * width,
                        hwnd->surface->bits.get() +
                            static_cast<std::size_t>(y) * hwnd->surface->width,
                        static_cast<std::size_t>(w) * sizeof(std::uint32_t));
        }
        delete hwnd->surface;
    }
    hwnd->surface = surface;
    hwnd->dc.bits = surface->bits.get();
    hwnd->dc.width = width;
    hwnd->dc.height = height;
    hwnd->dc.window = hwnd;
    hwnd->dc.touched = RECT{0, 0, width, height};
}

void ForgetWindowContext(HWND hwnd) {
    auto& contexts = liveContexts();
    contexts.erase(std::remove(contexts.begin(), contexts.end(), &hwnd->dc), contexts.end());
}

void RememberWindowContext(HWND hwnd) {
    resetAttributes(&hwnd->dc);
    liveContexts().push_back(&hwnd->dc);
}

} // namespace orv
