// Menus with enabled and checked states, and accelerator tables.
#pragma once

#include "platform/types.h"
#include "platform/user.h"

#include <string>
#include <vector>

namespace orv {

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_SEPARATOR = 0x0800;

// One entry of a menu template: a command item (id and text), a separator
// (id 0, no text) or a sub-menu (its title and its own items).
struct MenuTemplateItem {
    UINT id = 0;
    std::string text;
    UINT flags = 0;
    std::vector<MenuTemplateItem> items;
};

struct MenuItem {
    UINT id = 0;
    std::string text;
    UINT flags = 0;
    Menu* popup = nullptr;
};

struct Menu {
    std::vector<MenuItem> items;
    HWND owner = nullptr;
};

// Makes a menu template known under a resource name, for LoadMenuA.
void RegisterMenuResource(const std::string& name, std::vector<MenuTemplateItem> items);
HMENU LoadMenuA(HINSTANCE instance, const char* name);
HMENU GetMenu(HWND hwnd);
// Returns the previous state of the item (MF_GRAYED, MF_CHECKED bits) or -1
// when no item has that id.
int EnableMenuItem(HMENU menu, UINT id, UINT enable);
int CheckMenuItem(HMENU menu, UINT id, UINT check);
int GetMenuState(HMENU menu, UINT id, UINT flags);
BOOL DrawMenuBar(HWND hwnd);

// Virtual keys.
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
constexpr int VK_F6 = 0x75;
constexpr int VK_F7 = 0x76;
constexpr int VK_F8 = 0x77;
constexpr int VK_F9 = 0x78;
constexpr int VK_F10 = 0x79;
constexpr int VK_F11 = 0x7A;
constexpr int VK_F12 = 0x7B;

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt = 0;
    WORD key = 0;
    WORD cmd = 0;
};

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

void RegisterAcceleratorResource(const std::string& name, std::vector<ACCEL> entries);
HACCEL LoadAcceleratorsA(HINSTANCE instance, const char* name);
// Turns a key message that matches the table into WM_COMMAND for hwnd and
// returns non-zero. A matching key is consumed without a command while hwnd
// is disabled or the command's menu item is grayed.
int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg);

// Modifier state as of the last input message taken from the queue.
constexpr unsigned kShiftDown = 1;
constexpr unsigned kControlDown = 2;
constexpr unsigned kAltDown = 4;
short GetKeyState(int virtualKey);

} // namespace orv
