// A part of a rank's counts with its zeros left out, as it travels to rank
// 0: a bit for each value, set where the value is not 0, then those values in
// order. An attractor lights a few pixels in a hundred, so the part shrinks
// to a small fraction of its size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv {

// The bytes of a packed part of count values of size valueSize, lit of them
// not 0.
std::size_t PackedBytes(std::size_t count, std::size_t lit, std::size_t valueSize);

// The values not 0 among count.
template <typename Value> std::size_t LitValues(const Value* values, std::size_t count);

// The part packed, into packed (resized to fit).
template <typename Value>
void PackPart(const Value* values, std::size_t count, std::vector<unsigned char>& packed);

// Adds a packed part of count values to values. False, leaving values partly
// added to, when the bytes are not a part of that many values.
template <typename Value>
bool AddPackedPart(const unsigned char* packed, std::size_t bytes, Value* values,
                   std::size_t count);

} // namespace orv
