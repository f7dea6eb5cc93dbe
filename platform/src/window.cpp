// Window classes, windows and painting.
#include "platform/window.h"
#include "platform/backend.h"
#include "platform/menu.h"

#include "queue.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace orv {

namespace {

std::map<std::string, std::unique_ptr<WindowClass>>& classes() {
    static std::map<std::string, std::unique_ptr<WindowClass>> registry;
    return registry;
}

// Windows are kept until the platform state is reset, so that a handle that
// outlives its window (a message still queued for it) stays harmless.
std::vector<std::unique_ptr<Window>>& windows() {
    static std::vector<std::unique_ptr<Window>> all;
    return all;
}

// How many windows wait for WM_PAINT: the message loop asks on every turn,
// so the answer "none" must not cost a search.
int invalidWindows = 0;

void setInvalid(HWND hwnd, bool invalid) {
    if (hwnd->invalid != invalid) {
        hwnd->invalid = invalid;
        invalidWindows += invalid ? 1 : -1;
    }
}

} // namespace

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) {
        return 0;
    }
    auto& registry = classes();
    if (registry.count(wc->lpszClassName) != 0) {
        return 0;
    }
    auto cls = std::make_unique<WindowClass>();
    cls->wc = *wc;
    cls->name = wc->lpszClassName;
    cls->menuName = wc->lpszMenuName != nullptr ? wc->lpszMenuName : "";
    cls->wc.lpszClassName = cls->name.c_str();
    cls->wc.lpszMenuName = cls->menuName.empty() ? nullptr : cls->menuName.c_str();
    registry.emplace(cls->name, std::move(cls));
    return static_cast<ATOM>(registry.size());
}

BOOL UnregisterClassA(const char* className, HINSTANCE) {
    if (className == nullptr) {
        return FALSE;
    }
    return classes().erase(className) != 0 ? TRUE : FALSE;
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND owner, HMENU menu, HINSTANCE instance,
                     void* param) {
    if (className == nullptr) {
        return nullptr;
    }
    auto found = classes().find(className);
    if (found == classes().end()) {
        return nullptr;
    }
    const WindowClass* cls = found->second.get();
    auto window = std::make_unique<Window>();
    HWND hwnd = window.get();
    hwnd->cls = cls;
    hwnd->proc = cls->wc.lpfnWndProc;
    hwnd->title = title != nullptr ? title : "";
    hwnd->style = style;
    hwnd->exStyle = exStyle;
    hwnd->frame = RECT{x, y, x + width, y + height};
    hwnd->owner = owner;
    hwnd->enabled = (style & WS_DISABLED) == 0;
    hwnd->menu = menu;
    if (hwnd->menu == nullptr && !cls->menuName.empty()) {
        hwnd->menu = LoadMenuA(instance, cls->menuName.c_str());
    }
    if (hwnd->menu != nullptr) {
        hwnd->menu->owner = hwnd;
    }
    windows().push_back(std::move(window));

    CurrentBackend().windowCreating(hwnd);
    ResizeClientSurface(hwnd, hwnd->client.right, hwnd->client.bottom);
    RememberWindowContext(hwnd);

    CREATESTRUCTA cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = hwnd->menu;
    cs.hwndParent = owner;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = hwnd->title.c_str();
    cs.lpszClass = cls->name.c_str();
    cs.dwExStyle = exStyle;
    if (hwnd->proc(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (hwnd->destroyed) {
        return nullptr;
    }
    if ((style & WS_VISIBLE) != 0) {
        ShowWindow(hwnd, SW_SHOW);
    }
    return hwnd;
}

BOOL IsWindow(HWND hwnd) {
    if (hwnd == nullptr) {
        return FALSE;
    }
    for (const auto& w : windows()) {
        if (w.get() == hwnd) {
            return w->destroyed ? FALSE : TRUE;
        }
    }
    return FALSE;
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    if (hwnd == nullptr || hwnd->destroyed || index != GWLP_USERDATA) {
        return 0;
    }
    const LONG_PTR previous = hwnd->userData;
    hwnd->userData = value;
    return previous;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
    if (hwnd == nullptr || hwnd->destroyed || index != GWLP_USERDATA) {
        return 0;
    }
    return hwnd->userData;
}

BOOL DestroyWindow(HWND hwnd) {
    if (hwnd == nullptr || hwnd->destroyed) {
        return FALSE;
    }
    // Owned windows go first, as the window system does it.
    for (const auto& w : windows()) {
        if (w->owner == hwnd && !w->destroyed) {
            DestroyWindow(w.get());
        }
    }
    if (hwnd->visible) {
        hwnd->visible = false;
        CurrentBackend().windowShown(hwnd, false);
    }
    hwnd->proc(hwnd, WM_DESTROY, 0, 0);
    hwnd->destroyed = true;
    setInvalid(hwnd, false);
    CurrentBackend().windowDestroyed(hwnd);
    ForgetWindowContext(hwnd);
    delete hwnd->surface;
    hwnd->surface = nullptr;
    hwnd->dc.bits = nullptr;
    hwnd->dc.width = 0;
    hwnd->dc.height = 0;
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    if (hwnd == nullptr || hwnd->destroyed) {
        return FALSE;
    }
    const bool wasVisible = hwnd->visible;
    hwnd->visible = cmdShow != SW_HIDE;
    if (hwnd->visible != wasVisible) {
        CurrentBackend().windowShown(hwnd, hwnd->visible);
        if (hwnd->visible) {
            InvalidateRect(hwnd, nullptr, TRUE);
        }
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    if (hwnd == nullptr || hwnd->destroyed) {
        return FALSE;
    }
    if (hwnd->invalid) {
        SendMessageA(hwnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    if (hwnd == nullptr || hwnd->destroyed) {
        return FALSE;
    }
    const bool wasDisabled = !hwnd->enabled;
    hwnd->enabled = enable != FALSE;
    if (wasDisabled == hwnd->enabled) {
        CurrentBackend().windowEnabled(hwnd, hwnd->enabled);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    return hwnd != nullptr && !hwnd->destroyed && hwnd->enabled ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    if (hwnd == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = hwnd->client;
    return TRUE;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH background = hwnd->cls != nullptr ? hwnd->cls->wc.hbrBackground : nullptr;
        if (background == nullptr) {
            return 0;
        }
        HDC dc = GetDC(hwnd);
        FillRect(dc, &hwnd->invalidRect, background);
        ReleaseDC(hwnd, dc);
        return 1;
    }
    default:
        return 0;
    }
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == nullptr || hwnd->destroyed || hwnd->proc == nullptr) {
        return 0;
    }
    return hwnd->proc(hwnd, message, wParam, lParam);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (hwnd == nullptr || hwnd->destroyed) {
        return FALSE;
    }
    RECT r = rect != nullptr ? *rect : hwnd->client;
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, hwnd->client.right);
    r.bottom = std::min(r.bottom, hwnd->client.bottom);
    if (r.left >= r.right || r.top >= r.bottom) {
        return TRUE;
    }
    if (hwnd->invalid) {
        RECT& u = hwnd->invalidRect;
        u.left = std::min(u.left, r.left);
        u.top = std::min(u.top, r.top);
        u.right = std::max(u.right, r.right);
        u.bottom = std::max(u.bottom, r.bottom);
    } else {
        hwnd->invalidRect = r;
    }
    setInvalid(hwnd, true);
    hwnd->erase = hwnd->erase || erase != FALSE;
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, void*, UINT flags) {
    if (hwnd == nullptr || hwnd->destroyed) {
        return FALSE;
    }
    if ((flags & RDW_INVALIDATE) != 0) {
        InvalidateRect(hwnd, rect, (flags & RDW_ERASE) != 0 ? TRUE : FALSE);
    }
    if ((flags & RDW_UPDATENOW) != 0) {
        UpdateWindow(hwnd);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    if (hwnd == nullptr || ps == nullptr || hwnd->destroyed) {
        return nullptr;
    }
    if (!hwnd->invalid) {
        hwnd->invalidRect = RECT{};
    }
    ps->rcPaint = hwnd->invalidRect;
    ps->fErase = FALSE;
    if (hwnd->erase) {
        ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, 0, 0) != 0 ? FALSE : TRUE;
        hwnd->erase = false;
    }
    setInvalid(hwnd, false);
    ps->hdc = GetDC(hwnd);
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (hwnd == nullptr || ps == nullptr) {
        return FALSE;
    }
    ReleaseDC(hwnd, ps->hdc);
    return TRUE;
}

HWND AddWindowRecord(std::unique_ptr<Window> window) {
    HWND hwnd = window.get();
    windows().push_back(std::move(window));
    return hwnd;
}

HWND FindInvalidWindow(HWND filter) {
    if (invalidWindows == 0) {
        return nullptr;
    }
    for (const auto& w : windows()) {
        if (!w->destroyed && w->invalid && (filter == nullptr || filter == w.get())) {
            return w.get();
        }
    }
    return nullptr;
}

void ResetWindows() {
    for (auto it = windows().rbegin(); it != windows().rend(); ++it) {
        Window* w = it->get();
        if (!w->destroyed) {
            ForgetWindowContext(w);
            delete w->surface;
            w->surface = nullptr;
        }
    }
    windows().clear();
    classes().clear();
    invalidWindows = 0;
}

} // namespace orv
