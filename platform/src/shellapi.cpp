#include "platform/shellapi.h"
#include "platform/user.h"
#include "platform/window.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <set>

namespace orv {

struct DropFiles {
    std::vector<std::string> paths;
};

namespace {

// The drops handed out and not finished yet, owned here so that a drop
// whose message is never handled is still released.
std::list<DropFiles>& drops() {
    static std::list<DropFiles> all;
    return all;
}

std::set<HWND>& accepting() {
    static std::set<HWND> all;
    return all;
}

bool known(HDROP drop) {
    return std::any_of(drops().begin(), drops().end(),
                       [drop](const DropFiles& d) { return &d == drop; });
}

} // namespace

void DragAcceptFiles(HWND hwnd, BOOL accept) {
    if (accept != FALSE) {
        accepting().insert(hwnd);
    } else {
        accepting().erase(hwnd);
    }
}

bool AcceptsFiles(HWND hwnd) {
    return hwnd != nullptr && !hwnd->destroyed && accepting().count(hwnd) != 0;
}

UINT DragQueryFileA(HDROP drop, UINT index, char* buffer, UINT size) {
    if (!known(drop)) {
        return 0;
    }
    if (index == 0xFFFFFFFFu) {
        return static_cast<UINT>(drop->paths.size());
    }
    if (index >= drop->paths.size() || buffer == nullptr) {
        return 0;
    }
    const std::string& path = drop->paths[index];
    if (path.size() + 1 > size) {
        return 0;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<UINT>(path.size());
}

void DragFinish(HDROP drop) {
    drops().remove_if([drop](const DropFiles& d) { return &d == drop; });
}

void PostDroppedFiles(HWND hwnd, const std::vector<std::string>& paths) {
    if (!AcceptsFiles(hwnd) || paths.empty()) {
        return;
    }
    DropFiles& drop = drops().emplace_back(DropFiles{paths});
    PostMessageA(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0);
}

void ResetDrops() {
    drops().clear();
    accepting().clear();
}

} // namespace orv
