// The counting buffer of a poster: per pixel of the fine grid the number of
// points, and under Speed and Z-Plane the sum of their values in fixed point.
// Whole numbers only, so that the sums are the same in whatever order the
// orbits add to them; 64 bits each, so that no count overflows before the
// steps reach 2^63.
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
    // Bytes per pixel of the fine grid.
    static std::uint64_t BytesPerPixel(bool withValues) { return withValues ? 16 : 8; }

    // A zero-filled grid of side x side pixels; nothing when the memory
    // cannot be had.
    static std::optional<CountGrid> Make(int side, bool withValues);

    CountGrid(CountGrid&& other) noexcept;
    CountGrid& operator=(CountGrid&&) = delete;
    CountGrid(const CountGrid&) = delete;
    CountGrid& operator=(const CountGrid&) = delete;
    ~CountGrid();

    int side() const { return side_; }
    std::size_t pixels() const { return static_cast<std::size_t>(side_) * side_; }
    PixelCount* counts() const { return counts_; }
    // Null under Hit Count.
    std::uint64_t* values() const { return values_; }

  private:
    CountGrid(int side, void* memory, std::size_t bytes, bool withValues);

    int side_ = 0;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
    PixelCount* counts_ = nullptr;
    std::uint64_t* values_ = nullptr;
};

} // namespace orv
