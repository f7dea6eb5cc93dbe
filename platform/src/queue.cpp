// The thread's message queue: posted messages first, then input, then the
// quit message, then paint requests.
#include "platform/backend.h"
#include "platform/window.h"

#include "queue.h"

#include <deque>

namespace orv {

namespace {

struct Queued {
    MSG msg;
    unsigned modifiers = 0;
};

struct QueueState {
    std::deque<Queued> posted;
    std::deque<Queued> input;
    bool quitPending = false;
    int quitCode = 0;
    unsigned modifiers = 0;
};

QueueState& state() {
    static QueueState s;
    return s;
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

bool takeFrom(std::deque<Queued>& queue, MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax,
              bool remove, bool input) {
    for (auto it = queue.begin(); it != queue.end();) {
        // Messages for windows that no longer exist are dropped.
        if (it->msg.hwnd != nullptr && it->msg.hwnd->destroyed) {
            it = queue.erase(it);
            continue;
        }
        if (matches(it->msg, hwnd, filterMin, filterMax)) {
            *msg = it->msg;
            if (remove) {
                if (input) {
                    state().modifiers = it->modifiers;
                }
                queue.erase(it);
            }
            return true;
        }
        ++it;
    }
    return false;
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
    Queued q;
    q.msg.hwnd = hwnd;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    state().posted.push_back(q);
    return TRUE;
}

void PostInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned modifiers) {
    Queued q;
    q.msg.hwnd = hwnd;
    q.msg.message = message;
    q.msg.wParam = wParam;
    q.msg.lParam = lParam;
    q.modifiers = modifiers;
    state().input.push_back(q);
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
    for (;;) {
        CurrentBackend().pollEvents();
        if (find(msg, hwnd, filterMin, filterMax, true)) {
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        CurrentBackend().waitEvents();
    }
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
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
}

} // namespace orv
