#include "temporaries.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>

namespace orv {

namespace {

constexpr int kSlots = 32;
constexpr std::size_t kPathBytes = 4096;

enum SlotState : int { kFree, kFilling, kHeld };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathBytes]{};
};

Slot slots[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slots");

// Removes every recorded temporary and lets the signal end the process: the
// handler was installed to reset itself, so the signal raised again here is
// delivered with its default action once the handler returns.
extern "C" void RemoveTemporaries(int signal) {
    for (Slot& slot : slots) {
        if (slot.state.load() == kHeld) {
            ::unlink(slot.path);
        }
    }
    std::raise(signal);
}

void HandleIfDefault(int signal, void (*handler)(int)) {
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
        (current.sa_flags & SA_SIGINFO) != 0) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = handler == SIG_IGN ? 0 : SA_RESETHAND;
    sigaction(signal, &action, nullptr);
}

} // namespace

void PrepareSignals() {
    static std::once_flag once;
    std::call_once(once, [] {
        HandleIfDefault(SIGINT, RemoveTemporaries);
        HandleIfDefault(SIGTERM, RemoveTemporaries);
        HandleIfDefault(SIGXFSZ, SIG_IGN);
    });
}

int ClaimTemporary(const char* path) {
    if (std::strlen(path) >= kPathBytes) {
        return -1;
    }
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
            std::strcpy(slots[i].path, path);
            slots[i].state.store(kHeld);
            return i;
        }
    }
    return -1;
}

void ReleaseTemporary(int slot) {
    if (slot >= 0 && slot < kSlots) {
        slots[slot].state.store(kFree);
    }
}

} // namespace orv
