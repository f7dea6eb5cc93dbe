#include "studio/poster_grid.h"

#include <sys/mman.h>

#include <utility>

namespace orv {

std::optional<CountGrid> CountGrid::Make(int width, int height, bool withValues, bool wide) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t bytes = pixels * BytesPerPixel(withValues, wide);
    // Anonymous memory comes zero-filled, page by page as it is touched.
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return std::nullopt;
    }
    // Points land all over the grid: huge pages spare most of the address
    // translation misses. Without them the grid works as well, only slower.
    madvise(memory, bytes, MADV_HUGEPAGE);
    return CountGrid(width, height, memory, bytes, withValues, wide);
}

CountGrid::CountGrid(int width, int height, void* memory, std::size_t bytes, bool withValues,
                     bool wide)
    : width_(width), height_(height), memory_(memory), bytes_(bytes) {
    // The 8-byte sums first keep every array aligned.
    auto* base = static_cast<unsigned char*>(memory);
    if (withValues) {
        values_ = reinterpret_cast<std::uint64_t*>(base);
        base += 8 * pixels();
    }
    counts_ = reinterpret_cast<std::uint32_t*>(base);
    if (wide) {
        highs_ = counts_ + pixels();
    }
}

CountGrid::CountGrid(CountGrid&& other) noexcept
    : width_(other.width_), height_(other.height_), memory_(std::exchange(other.memory_, nullptr)),
      bytes_(std::exchange(other.bytes_, 0)), counts_(std::exchange(other.counts_, nullptr)),
      highs_(std::exchange(other.highs_, nullptr)), values_(std::exchange(other.values_, nullptr)) {
}

CountGrid::~CountGrid() {
    if (memory_ != nullptr) {
        munmap(memory_, bytes_);
    }
}

} // namespace orv
