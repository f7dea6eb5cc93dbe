// Menus, accelerator tables and the modifier key state.
#include "platform/menu.h"
#include "platform/backend.h"
#include "platform/window.h"

#include "queue.h"

#include <map>
#include <memory>

namespace orv {

namespace {

std::map<std::string, std::vector<MenuTemplateItem>>& menuResources() {
    static std::map<std::string, std::vector<MenuTemplateItem>> resources;
    return resources;
}

std::map<std::string, std::vector<ACCEL>>& acceleratorResources() {
    static std::map<std::string, std::vector<ACCEL>> resources;
    return resources;
}

std::vector<std::unique_ptr<Menu>>& menus() {
    static std::vector<std::unique_ptr<Menu>> all;
    return all;
}

std::vector<std::unique_ptr<AcceleratorTable>>& tables() {
    static std::vector<std::unique_ptr<AcceleratorTable>> all;
    return all;
}

Menu* build(const std::vector<MenuTemplateItem>& items) {
    auto menu = std::make_unique<Menu>();
    for (const MenuTemplateItem& t : items) {
        MenuItem item;
        item.id = t.id;
        item.text = t.text;
        item.flags = t.flags;
        if (!t.items.empty() || (t.flags & MF_POPUP) != 0) {
            item.popup = build(t.items);
            item.flags |= MF_POPUP;
            item.id = 0;
        } else if (t.id == 0 && t.text.empty()) {
            item.flags |= MF_SEPARATOR;
        }
        menu->items.push_back(item);
    }
    Menu* result = menu.get();
    menus().push_back(std::move(menu));
    return result;
}

MenuItem* findItem(Menu* menu, UINT id) {
    for (MenuItem& item : menu->items) {
        if (item.popup != nullptr) {
            if (MenuItem* inner = findItem(item.popup, id)) {
                return inner;
            }
        } else if (item.id == id && (item.flags & MF_SEPARATOR) == 0) {
            return &item;
        }
    }
    return nullptr;
}

void notify(Menu* menu) {
    if (menu->owner != nullptr && !menu->owner->destroyed) {
        CurrentBackend().menuChanged(menu->owner);
    }
}

} // namespace

void RegisterMenuResource(const std::string& name, std::vector<MenuTemplateItem> items) {
    menuResources()[name] = std::move(items);
}

HMENU LoadMenuA(HINSTANCE, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    auto found = menuResources().find(name);
    if (found == menuResources().end()) {
        return nullptr;
    }
    return build(found->second);
}

HMENU GetMenu(HWND hwnd) {
    return hwnd != nullptr ? hwnd->menu : nullptr;
}

int EnableMenuItem(HMENU menu, UINT id, UINT enable) {
    if (menu == nullptr) {
        return -1;
    }
    MenuItem* item = findItem(menu, id);
    if (item == nullptr) {
        return -1;
    }
    const int previous = static_cast<int>(item->flags & (MF_GRAYED | MF_DISABLED));
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    if (previous != static_cast<int>(item->flags & (MF_GRAYED | MF_DISABLED))) {
        notify(menu);
    }
    return previous;
}

int CheckMenuItem(HMENU menu, UINT id, UINT check) {
    if (menu == nullptr) {
        return -1;
    }
    MenuItem* item = findItem(menu, id);
    if (item == nullptr) {
        return -1;
    }
    const int previous = static_cast<int>(item->flags & MF_CHECKED);
    item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    if (previous != static_cast<int>(item->flags & MF_CHECKED)) {
        notify(menu);
    }
    return previous;
}

int GetMenuState(HMENU menu, UINT id, UINT) {
    if (menu == nullptr) {
        return -1;
    }
    MenuItem* item = findItem(menu, id);
    return item != nullptr ? static_cast<int>(item->flags) : -1;
}

BOOL DrawMenuBar(HWND hwnd) {
    if (hwnd == nullptr || hwnd->menu == nullptr) {
        return FALSE;
    }
    CurrentBackend().menuChanged(hwnd);
    return TRUE;
}

void RegisterAcceleratorResource(const std::string& name, std::vector<ACCEL> entries) {
    acceleratorResources()[name] = std::move(entries);
}

HACCEL LoadAcceleratorsA(HINSTANCE, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    auto found = acceleratorResources().find(name);
    if (found == acceleratorResources().end()) {
        return nullptr;
    }
    auto table = std::make_unique<AcceleratorTable>();
    table->entries = found->second;
    HACCEL result = table.get();
    tables().push_back(std::move(table));
    return result;
}

int TranslateAcceleratorA(HWND hwnd, HACCEL table, MSG* msg) {
    if (hwnd == nullptr || table == nullptr || msg == nullptr) {
        return 0;
    }
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) {
        return 0;
    }
    const unsigned held = CurrentModifiers();
    for (const ACCEL& entry : table->entries) {
        if ((entry.fVirt & FVIRTKEY) == 0 || entry.key != msg->wParam) {
            continue;
        }
        unsigned wanted = 0;
        if ((entry.fVirt & FSHIFT) != 0) {
            wanted |= kShiftDown;
        }
        if ((entry.fVirt & FCONTROL) != 0) {
            wanted |= kControlDown;
        }
        if ((entry.fVirt & FALT) != 0) {
            wanted |= kAltDown;
        }
        if (wanted != held) {
            continue;
        }
        if (hwnd->destroyed || !hwnd->enabled) {
            return 1;
        }
        if (hwnd->menu != nullptr) {
            const MenuItem* item = findItem(hwnd->menu, entry.cmd);
            if (item != nullptr && (item->flags & (MF_GRAYED | MF_DISABLED)) != 0) {
                return 1;
            }
        }
        SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(entry.cmd) | (1u << 16), 0);
        return 1;
    }
    return 0;
}

short GetKeyState(int virtualKey) {
    const unsigned held = CurrentModifiers();
    bool down = false;
    switch (virtualKey) {
    case VK_SHIFT:
        down = (held & kShiftDown) != 0;
        break;
    case VK_CONTROL:
        down = (held & kControlDown) != 0;
        break;
    case VK_MENU:
        down = (held & kAltDown) != 0;
        break;
    default:
        break;
    }
    return down ? static_cast<short>(0x8000) : 0;
}

void ResetMenus() {
    menus().clear();
    tables().clear();
}

} // namespace orv
