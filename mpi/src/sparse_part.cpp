#include "sparse_part.h"

#include <algorithm>
#include <cstring>

namespace orv {

std::size_t PackedBytes(std::size_t count, std::size_t lit, std::size_t valueSize) {
    return (count + 7) / 8 + lit * valueSize;
}

template <typename Value> std::size_t LitValues(const Value* values, std::size_t count) {
    return static_cast<std::size_t>(
        std::count_if(values, values + count, [](Value value) { return value != 0; }));
}

template <typename Value>
void PackPart(const Value* values, std::size_t count, std::vector<unsigned char>& packed) {
    const std::size_t mapBytes = (count + 7) / 8;
    packed.assign(PackedBytes(count, LitValues(values, count), sizeof(Value)), 0);
    unsigned char* next = packed.data() + mapBytes;
    for (std::size_t i = 0; i < count; ++i) {
        if (values[i] != 0) {
            packed[i / 8] = static_cast<unsigned char>(packed[i / 8] | 1u << (i % 8));
            std::memcpy(next, &values[i], sizeof(Value));
            next += sizeof(Value);
        }
    }
}

template <typename Value>
bool AddPackedPart(const unsigned char* packed, std::size_t bytes, Value* values,
                   std::size_t count) {
    const std::size_t mapBytes = (count + 7) / 8;
    if (bytes < mapBytes) {
        return false;
    }
    const unsigned char* next = packed + mapBytes;
    const unsigned char* end = packed + bytes;
    for (std::size_t i = 0; i < count; ++i) {
        if ((packed[i / 8] >> (i % 8) & 1u) == 0) {
            continue;
        }
        if (end - next < static_cast<std::ptrdiff_t>(sizeof(Value))) {
            return false;
        }
        Value value;
        std::memcpy(&value, next, sizeof(Value));
        next += sizeof(Value);
        values[i] += value;
    }
    return next == end;
}

template std::size_t LitValues(const std::uint32_t*, std::size_t);
template std::size_t LitValues(const std::uint64_t*, std::size_t);
template void PackPart(const std::uint32_t*, std::size_t, std::vector<unsigned char>&);
template void PackPart(const std::uint64_t*, std::size_t, std::vector<unsigned char>&);
template bool AddPackedPart(const unsigned char*, std::size_t, std::uint32_t*, std::size_t);
template bool AddPackedPart(const unsigned char*, std::size_t, std::uint64_t*, std::size_t);

} // namespace orv
