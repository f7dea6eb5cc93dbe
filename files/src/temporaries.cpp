#include "temporaries.h"

#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>

namespace orv {

namespace {

constexpr int kSlots = 32;
// A temporary's name keeps at most this much of the file's, so that it stays
// within the system's limit of 255 bytes for a name.
constexpr std::size_t kNameKept = 200;
constexpr const char* kMark = ".orvantis-";
constexpr const char* kEnding = ".tmp";
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

// Reads the digits at text[at...] as a number; false when there are none or
// too many.
bool ReadNumber(const std::string& text, std::size_t& at, unsigned long long& value) {
    const std::size_t first = at;
    value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) &&
           at - first < 19) {
        value = value * 10 + static_cast<unsigned>(text[at++] - '0');
    }
    return at > first && (at == text.size() || !std::isdigit(static_cast<unsigned char>(text[at])));
}

} // namespace

std::string TemporaryName(const std::string& target, unsigned attempt) {
    static std::atomic<unsigned> made{0};
    const std::filesystem::path name(target);
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    const std::string unique = std::to_string(::getpid()) + "-" + std::to_string(made++) + "-" +
                               std::to_string((ticks + attempt) % 1000000007ULL);
    return (name.parent_path() /
            ("." + name.filename().string().substr(0, kNameKept) + kMark + unique + kEnding))
        .string();
}

pid_t TemporaryOwner(const std::string& name) {
    const std::size_t mark = name.rfind(kMark);
    const std::size_t ending = std::strlen(kEnding);
    if (name.size() < 2 || name[0] != '.' || mark == std::string::npos || mark < 2 ||
        name.size() < ending || name.compare(name.size() - ending, ending, kEnding) != 0) {
        return 0;
    }
    std::size_t at = mark + std::strlen(kMark);
    unsigned long long pid = 0;
    unsigned long long number = 0;
    if (!ReadNumber(name, at, pid) || at >= name.size() || name[at++] != '-' ||
        !ReadNumber(name, at, number) || at >= name.size() || name[at++] != '-' ||
        !ReadNumber(name, at, number) || at != name.size() - ending) {
        return 0;
    }
    const auto owner = static_cast<pid_t>(pid);
    return owner > 0 && static_cast<unsigned long long>(owner) == pid ? owner : 0;
}

void RemoveStaleTemporaries(const std::string& folder) {
    static std::mutex guard;
    static std::set<std::string> cleaned;
    const std::string where = folder.empty() ? "." : folder;
    {
        const std::lock_guard<std::mutex> lock(guard);
        if (!cleaned.insert(where).second) {
            return;
        }
    }
    DIR* listing = ::opendir(where.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        const pid_t owner = TemporaryOwner(name);
        // Only a process that is gone cannot still be writing its temporary.
        if (owner != 0 && owner != ::getpid() && ::kill(owner, 0) != 0 && errno == ESRCH) {
            ::unlinkat(::dirfd(listing), name.c_str(), 0);
        }
    }
    ::closedir(listing);
}

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
