// A block of the local heap that is freed at the end of its scope.
#pragma once

#include "platform/kernel.h"

#include <cstddef>

namespace orv {

// count elements of T from LocalAlloc(flags, ...); empty (false) when the
// heap could not give them.
template <typename T> class LocalBlock {
  public:
    LocalBlock(UINT flags, std::size_t count)
        : data_(static_cast<T*>(LocalAlloc(flags, count * sizeof(T)))) {}
    ~LocalBlock() {
        if (data_ != nullptr) {
            LocalFree(data_);
        }
    }
    LocalBlock(const LocalBlock&) = delete;
    LocalBlock& operator=(const LocalBlock&) = delete;

    explicit operator bool() const { return data_ != nullptr; }
    T& operator[](std::size_t i) const { return data_[i]; }

  private:
    T* data_;
};

} // namespace orv
