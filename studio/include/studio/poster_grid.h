// The counting buffer of a poster: per pixel of the fine grid the number of
// points, and under Speed and Z-Plane the sum of their values in fixed point.
// Whole numbers only, so that the sums are the same in whatever order the
// orbits add to them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace orv {

// A value of 1.0 in the fixed-point sums.
constexpr double kValueUnit = 65536.0;

class CountGrid {
  public:
    // Bytes per pixel of the fine grid.
    static std::uint64_t BytesPerPixel(bool withValues) { return withValues ? 12 : 4; }

    // A zero-filled grid of width x height pixels; nothing when the memory
    // cannot be had.
    static std::optional<CountGrid> Make(int width, int height, bool withValues);
    static std::optional<CountGrid> Make(int side, bool withValues) {
        return Make(side, side, withValues);
    }

    CountGrid(CountGrid&& other) noexcept;
    CountGrid& operator=(CountGrid&&) = delete;
    CountGrid(const CountGrid&) = delete;
    CountGrid& operator=(const CountGrid&) = delete;
    ~CountGrid();

    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t pixels() const { return static_cast<std::size_t>(width_) * height_; }
    std::uint32_t* counts() const { return counts_; }
    // Null under Hit Count.
    std::uint64_t* values() const { return values_; }

  private:
    CountGrid(int width, int height, void* memory, std::size_t bytes, bool withValues);

    int width_ = 0;
    int height_ = 0;
    void* memory_ = nullptr;
    std::size_t bytes_ = 0;
    std::uint32_t* counts_ = nullptr;
    std::uint64_t* values_ = nullptr;
};

} // namespace orv
