// The local heap and the current directory.
#pragma once

#include "platform/types.h"

#include <cstddef>
#include <functional>
#include <memory>

namespace orv {

constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_ZEROINIT = 0x0040;
constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

// Returns a block of the given size, zero-filled with LMEM_ZEROINIT, or
// nullptr when no memory can be had.
HLOCAL LocalAlloc(UINT flags, std::size_t bytes);
HLOCAL LocalFree(HLOCAL block);

// A local heap block of T that is freed however its scope is left.
struct LocalFreer {
    void operator()(void* block) const { LocalFree(block); }
};
template <typename T> using LocalBlock = std::unique_ptr<T[], LocalFreer>;

DWORD GetCurrentDirectoryA(DWORD bufferLength, char* buffer);

// Makes LocalAlloc fail whenever the predicate says so. The predicate gets
// the size asked for and the number of the request (0 for the first one
// after the predicate was set). An empty function restores normal service.
void SetLocalAllocFailure(std::function<bool(std::size_t bytes, int request)> fails);

} // namespace orv
