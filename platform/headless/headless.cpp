// The headless backend: in-memory windows, scripted answers.
#include "platform/headless.h"
#include "platform/window.h"

namespace orv {

namespace {

// The answer of a message box's default button.
int defaultAnswer(UINT type) {
    const bool second = (type & MB_DEFMASK) == MB_DEFBUTTON2;
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
        return second ? IDNO : IDYES;
    case MB_OKCANCEL:
        return second ? IDCANCEL : IDOK;
    default:
        return IDOK;
    }
}

} // namespace

HeadlessBackend::HeadlessBackend() = default;

HeadlessBackend& Headless() {
    static HeadlessBackend backend;
    return backend;
}

void HeadlessBackend::reset() {
    *this = HeadlessBackend();
}

int HeadlessBackend::systemMetric(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return screenWidth;
    case SM_CYSCREEN:
        return screenHeight;
    default:
        return 0;
    }
}

int HeadlessBackend::bitsPerPixel() {
    return depth;
}

void HeadlessBackend::windowCreating(HWND hwnd) {
    int width = hwnd->frame.right - hwnd->frame.left;
    int height = hwnd->frame.bottom - hwnd->frame.top;
    if ((hwnd->style & WS_POPUP) == 0) {
        width -= frameWidth;
        height -= frameHeight;
    }
    hwnd->client = RECT{0, 0, width > 0 ? width : 0, height > 0 ? height : 0};
    windows.push_back(hwnd);
}

void HeadlessBackend::cursorChanged(HCURSOR cursor) {
    cursorChanges.push_back(cursor);
}

void HeadlessBackend::cursorShown(bool shown) {
    cursorShowCount += shown ? 1 : -1;
}

void HeadlessBackend::sleep(DWORD milliseconds) {
    sleeps.push_back(milliseconds);
    if (onSleep) {
        onSleep(milliseconds);
    }
}

int HeadlessBackend::messageBox(HWND owner, const std::string& text, const std::string& caption,
                                UINT type) {
    MessageBoxCall call{owner, text, caption, type, 0};
    int answer = 0;
    if (!messageBoxAnswers.empty()) {
        answer = messageBoxAnswers.front();
        messageBoxAnswers.pop_front();
    }
    if (onMessageBox) {
        if (const int scripted = onMessageBox(call)) {
            answer = scripted;
        }
    }
    if (answer == 0) {
        answer = defaultAnswer(type);
    }
    call.answer = answer;
    messageBoxes.push_back(call);
    return answer;
}

void HeadlessBackend::textOut(HDC dc, int x, int y, const std::string& text) {
    texts.push_back(TextOutCall{dc, x, y, text, dc->textColor});
}

} // namespace orv
