// Basic Win32 types, handles and constants used throughout the program.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv {

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using COLORREF = std::uint32_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
constexpr int MAX_PATH = 260;

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct Window;
struct DC;
struct GdiObject;
struct Bitmap;
struct Brush;
struct Pen;
struct Cursor;
struct Menu;
struct AcceleratorTable;
struct Instance;

using HWND = Window*;
using HDC = DC*;
using HGDIOBJ = GdiObject*;
using HBITMAP = Bitmap*;
using HBRUSH = Brush*;
using HPEN = Pen*;
using HCURSOR = Cursor*;
using HICON = const char*;
using HMENU = Menu*;
using HACCEL = AcceleratorTable*;
using HINSTANCE = Instance*;
using HLOCAL = void*;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
constexpr WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}

} // namespace orv
