// The thread's message queue: posted messages first, then input, then the
// quit message, then paint requests.
#include "platform/backend.h"
#include "platform/menu.h"
#include "platform/window.h"

#include "queue.h"

#include <vector>

namespace orv {

namespace {

struct Queued {
    MSG msg;
    unsigned modifiers = 0;
};

// A first-in first-out list that keeps its storage: taking the first
// message only moves the head, and an emptied list starts over in the same
// memory. The message loop posts and takes one message per render step.
class MessageList {
  public:
    using iterator = std::vector<Queued>::iterator;

    bool empty() const { return head_ == items_.size(); }
    Queued& front() { return items_[head_]; }
    iterator begin() { return items_.begin() + static_cast<std::ptrdiff_t>(head_); }
    iterator end() { return items_.end(); }
    Queued& emplace_back() { return items_.emplace_back(); }
    void pop_front() {
        ++head_;
        if (head_ == items_.size()) {
            items_.clear();
            head_ = 0;
        } else if (head_ >= 64 && 2 * head_ >= items_.size()) {
            items_.erase(items_.begin(), begin());
            head_ = 0;
        }
    }
    iterator erase(iterator it) { return items_.erase(it); }

  private:
    std::vector<Queued> items_;
    std::size_t head_ = 0;
};

struct QueueState {
    MessageList posted;
    MessageList input;
    bool quitPending = false;
    int quitCode = 0;
    unsigned modifiers = 0;
};

// Namespace scope rather than a function static: the message loop reaches
// it several times per render step.
QueueState theQueueState;

QueueState& state() {
    return theQueueState;
}

bool matches(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (hwnd != nullptr && msg.hwnd != hwnd) {
        return false;
    }
    if (filterMin == 0 && filterMax == 0) {
        return true;
    }
    return msg.message >= filterMin && msg.message <= filterMax;
}

void take(MessageList& queue, MessageList::iterator it, bool input) {
    if (input) {
        state().modifiers = it->modifiers;
    }
    if (it == queue.begin()) {
        queue.pop_front();
    } else {
        queue.erase(it);
    }
}

// Looks through the whole list for the first message that matches,
// dropping those of windows that no longer exist.
bool search(MessageList& queue, MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove,
            bool input) {
    for (auto it = queue.begin(); it != queue.end();) {
        if (it->msg.hwnd != nullptr && it->msg.hwnd->destroyed) {
            it = queue.erase(it);
            continue;
        }
        if (matches(it->msg, hwnd, filterMin, filterMax)) {
            *msg = it->msg;
            if (remove) {
                take(queue, it, input);
            }
            return true;
        }
        ++it;
    }
    return false;
}

// The message loop asks for the first message of all on every render step:
// that case is answered without a search.
inline bool takeFrom(MessageList& queue, MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax,
                     bool remove, bool input) {
    if (queue.empty()) {
        return false;
    }
    const Queued& first = queue.front();
    if (hwnd == nullptr && filterMin == 0 && filterMax == 0 &&
        (first.msg.hwnd == nullptr || !first.msg.hwnd->destroyed)) {
        *msg = first.msg;
        if (remove) {
            take(queue, queue.begin(), input);
        }
        return true;
    }
    return search(queue, msg, hwnd, filterMin, filterMax, remove, input);
}

bool find(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool remove) {
    QueueState& s = state();
    if (takeFrom(s.posted, msg, hwnd, filterMin, filterMax, remove, false)) {
        return true;
    }
    if (takeFrom(s.input, msg, hwnd, filterMin, filterMax, remove, true)) {
        return true;
    }
    if (s.quitPending && hwnd == nullptr && (filterMin == 0 && filterMax == 0)) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = static_cast<WPARAM>(s.quitCode);
        if (remove) {
            s.quitPending = false;
        }
        return true;
    }
    if (filterMin == 0 && filterMax == 0 ? true
                                         : (WM_PAINT >= filterMin && WM_PAINT <= filterMax)) {
        if (HWND invalid = FindInvalidWindow(hwnd)) {
            *msg = MSG{};
            msg->hwnd = invalid;
            msg->message = WM_PAINT;
            return true;
        }
    }
    return false;
}

} // namespace

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd != nullptr && hwnd->destroyed) {
        return FALSE;
    }
    Queued& q = state().posted.emplace_back();
    q.msg.hwnd = hwnd;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    return TRUE;
}

void PostInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers) {
    Queued q;
    q.msg.hwnd = hwnd;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    q.modifiers = modifiers;
    state().input.emplace_back() = q;
}

void PostQuitMessage(int exitCode) {
    state().quitPending = true;
    state().quitCode = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (msg == nullptr) {
        return FALSE;
    }
    CurrentBackend().pollEvents();
    return find(msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (msg == nullptr) {
        return -1;
    }
    // A posted message comes before all input, so it is taken without
    // asking the backend for input first (the message loop's wake-up, on
    // every render step).
    if (takeFrom(state().posted, msg, hwnd, filterMin, filterMax, true, false)) {
        return TRUE;
    }
    for (;;) {
        CurrentBackend().pollEvents();
        if (find(msg, hwnd, filterMin, filterMax, true)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        CurrentBackend().waitEvents();
    }
}

namespace {

constexpr WPARAM kBackspace = 0x08;

// The character a key types on a US keyboard: a letter (capital with Shift,
// a control character with Ctrl), a digit, a blank, or the control
// character of Enter, Esc, Tab or Backspace; 0 for a key that types none
// (function keys, arrows, modifiers, and anything with Ctrl and Alt).
WPARAM characterOf(WPARAM key, unsigned modifiers) {
    const bool shift = (modifiers & kShiftDown) != 0;
    const bool control = (modifiers & kControlDown) != 0;
    if (control && (modifiers & kAltDown) != 0) {
        return 0;
    }
    if (key >= 'A' && key <= 'Z') {
        if (control) {
            return key - 'A' + 1;
        }
        return shift ? key : key - 'A' + 'a';
    }
    if (control) {
        return 0;
    }
    if (key >= '0' && key <= '9') {
        return key;
    }
    switch (key) {
    case kBackspace:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
        return key;
    default:
        return 0;
    }
}

} // namespace

// A key press that types a character is followed by WM_CHAR (WM_SYSCHAR
// with Alt) for the same window, handed out before any further input.
BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) {
        return FALSE;
    }
    const WPARAM character = characterOf(msg->wParam, state().modifiers);
    if (character == 0) {
        return FALSE;
    }
    const UINT message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    return PostMessageA(msg->hwnd, message, character, msg->lParam);
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr || msg->hwnd->destroyed) {
        return 0;
    }
    if (msg->message == WM_PAINT && !msg->hwnd->invalid) {
        return 0;
    }
    return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

unsigned CurrentModifiers() {
    return state().modifiers;
}

void ResetQueue() {
    state() = QueueState{};
}

void ResetPlatformState() {
    ResetQueue();
    ResetDialogs();
    ResetWindows();
    ResetMenus();
    ResetCursors();
    ResetBitmapResources();
}

} // namespace orv
