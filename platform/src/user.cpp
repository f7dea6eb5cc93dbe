// Cursors, message boxes, screen metrics and sleeping.
#include "platform/user.h"
#include "platform/backend.h"

#include "queue.h"

#include <map>

namespace orv {

namespace {

struct CursorState {
    HCURSOR current = nullptr;
    int showCount = 0;
};

// Namespace scope rather than a function static: SetCursor runs on every
// render step.
CursorState theCursorState;

CursorState& cursorState() { return theCursorState; }

} // namespace

HCURSOR LoadCursorA(HINSTANCE, int id) {
    static std::map<int, Cursor> cursors;
    auto [it, inserted] = cursors.try_emplace(id, Cursor{id});
    return &it->second;
}

HCURSOR SetCursor(HCURSOR cursor) {
    CursorState& s = cursorState();
    HCURSOR previous = s.current;
    if (cursor != previous) {
        s.current = cursor;
        CurrentBackend().cursorChanged(cursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    return cursorState().current;
}

int ShowCursor(BOOL show) {
    CursorState& s = cursorState();
    const bool wasShown = s.showCount >= 0;
    s.showCount += show != FALSE ? 1 : -1;
    const bool shown = s.showCount >= 0;
    if (shown != wasShown) {
        CurrentBackend().cursorShown(shown);
    }
    return s.showCount;
}

void ResetCursors() {
    cursorState() = CursorState{};
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return CurrentBackend().messageBox(owner, text != nullptr ? text : "",
                                       caption != nullptr ? caption : "Error", type);
}

int GetSystemMetrics(int index) {
    return CurrentBackend().systemMetric(index);
}

void Sleep(DWORD milliseconds) {
    CurrentBackend().sleep(milliseconds);
}

} // namespace orv
