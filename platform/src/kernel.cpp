// The local heap and the current directory.
#include "platform/kernel.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace orv {

namespace {

struct HeapState {
    std::function<bool(std::size_t, int)> fails;
    int request = 0;
};

HeapState& heap() {
    static HeapState s;
    return s;
}

} // namespace

HLOCAL LocalAlloc(UINT flags, std::size_t bytes) {
    HeapState& h = heap();
    if (h.fails && h.fails(bytes, h.request++)) {
        return nullptr;
    }
    if (bytes == 0) {
        bytes = 1;
    }
    return (flags & LMEM_ZEROINIT) != 0 ? std::calloc(bytes, 1) : std::malloc(bytes);
}

HLOCAL LocalFree(HLOCAL block) {
    std::free(block);
    return nullptr;
}

DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer) {
    char path[4096];
    if (getcwd(path, sizeof path) == nullptr) {
        return 0;
    }
    const std::size_t length = std::strlen(path);
    if (buffer == nullptr || length + 1 > bufferLength) {
        return static_cast<DWORD>(length + 1);
    }
    std::memcpy(buffer, path, length + 1);
    return static_cast<DWORD>(length);
}

void SetLocalAllocFailure(std::function<bool(std::size_t, int)> fails) {
    heap().fails = std::move(fails);
    heap().request = 0;
}

} // namespace orv
