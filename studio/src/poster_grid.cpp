#include "studio/poster_grid.h"

#include <sys/mman.h>

#include <utility>

namespace orv {

std::optional<CountGrid> CountGrid::Make(int side, bool withValues) {
    const std::size_t pixels = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    const std::size_t bytes = pixels * BytesPerPixel(withValues);
    // Anonymous memory comes zero-filled, page by page as it is touched.
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return std::nullopt;
    }
    // Points land all over the grid: huge pages spare most of the address
    // translation misses. Without them the grid works as well, only slower.
    madvise(memory, bytes, MADV_HUGEPAGE);
    return CountGrid(side, memory, bytes, withValues);
}

CountGrid::CountGrid(int side, void* memory, std::size_t bytes, bool withValues)
    : side_(side), memory_(memory), bytes_(bytes) {
    auto* base = static_cast<unsigned char*>(memory);
    if (withValues) {
        values_ = reinterpret_cast<std::uint64_t*>(base);
        counts_ = reinterpret_cast<PixelCount*>(base + 8 * pixels());
    } else {
        counts_ = reinterpret_cast<PixelCount*>(base);
    }
}

CountGrid::CountGrid(CountGrid&& other) noexcept
    : side_(other.side_), memory_(std::exchange(other.memory_, nullptr)),
      bytes_(std::exchange(other.bytes_, 0)), counts_(std::exchange(other.counts_, nullptr)),
      values_(std::exchange(other.values_, nullptr)) {}

CountGrid::~CountGrid() {
    if (memory_ != nullptr) {
        munmap(memory_, bytes_);
    }
}

} // namespace orv
