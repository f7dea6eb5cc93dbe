// The counting buffer of a poster: per pixel of the fine grid the number of
// points, and under Speed and Z-Plane the sum of their values in fixed point.
// Whole numbers only, so that the sums are the same in whatever order the
// orbits add to them. Counts are kept in 32 bits, which the orbits add to
// fastest; a grid for more steps than 32 bits hold keeps the high 32 bits of
// every count in a second plane, which a count reaches when its low 32 bits
// wrap round.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orv {

// A value of 1.0 in the fixed-point sums.
constexpr double kValueUnit = 65536.0;

// The points counted in one pixel.
using PixelCount = std::uint64_t;

class CountGrid {
  public:
    // Whether counts of a picture of that many steps may pass 32 bits.
    static bool Wide(std::uint64_t steps) { return steps > UINT32_MAX; }

    // Bytes per pixel of the fine grid.
    static std::uint64_t BytesPerPixel(bool withValues, bool wide) {
        return (withValues ? 12 : 4) + (wide ? 4 : 0);
    }

    // A zero-filled grid of width x height pixels; nothing when the memory
    // cannot be had.
    static std::optional<CountGrid> Make(int width, int height, bool withValues, bool wide = false);
    // The same for a square grid of side x side pixels.
    static std::optional<CountGrid> Make(int side, bool withValues, bool wide = false) {
        return Make(side, side, withValues, wide);
    }

    CountGrid(CountGrid&& other) noexcept;
    CountGrid& operator=(CountGrid&&) = delete;
    CountGrid(const CountGrid&) = delete;
    CountGrid& operator=(const CountGrid&) = delete;
    ~CountGrid();

    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t pixels() const { return static_cast<std::size_t>(width_) * height_; }
    // The low 32 bits of the counts.
    std::uint32_t* counts() const { return counts_; }
    // The high 32 bits of the counts of a wide grid; null otherwise.
    std::uint32_t* highs() const { return highs_; }
    // Null under Hit Count.
    std::uint64_t* values() const { return values_; }

    PixelCount count(std::size_t pixel) const {
        const PixelCount low = counts_[pixel];
        return highs_ == nullptr ? low : PixelCount{highs_[pixel]} << 32 | low;
    }
    // Sets a count; its high 32 bits are lost on a grid that is not wide.
    void set(std::size_t pixel, PixelCount count) const {
        counts_[pixel] = static_cast<std::uint32_t>(count);
        if (highs_ != nullptr) {
            highs_[pixel] = static_cast<std::uint32_t>(count >> 32);
        }
    }

  private:
    CountGrid(int width, int height, void* memory, std::size_t bytes, bool withValues, bool wide);

    int width_ = 0;
    int height_ = 0;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
    std::uint32_t* counts_ = nullptr;
    std::uint32_t* highs_ = nullptr;
    std::uint64_t* values_ = nullptr;
};

} // namespace orv
