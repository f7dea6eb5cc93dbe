// Cursors, message boxes, screen metrics and sleeping.
#include "platform/user.h"
#include "platform/backend.h"

#include "queue.h"

#include <map>

namespace orv {

HCURSOR detail::currentCursor = nullptr;

namespace {

int showCount = 0;

} // namespace

HCURSOR LoadCursorA(HINSTANCE, int id) {
    static std::map<int, Cursor> cursors;
    auto [it, inserted] = cursors.try_emplace(id, Cursor{id});
    return &it->second;
}

HCURSOR detail::ChangeCursor(HCURSOR cursor) {
    const HCURSOR previous = currentCursor;
    currentCursor = cursor;
    CurrentBackend().cursorChanged(cursor);
    return previous;
}

HCURSOR GetCursor() {
    return detail::currentCursor;
}

int ShowCursor(BOOL show) {
    const bool wasShown = showCount >= 0;
    showCount += show != FALSE ? 1 : -1;
    const bool shown = showCount >= 0;
    if (shown != wasShown) {
        CurrentBackend().cursorShown(shown);
    }
    return showCount;
}

void ResetCursors() {
    detail::currentCursor = nullptr;
    showCount = 0;
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
