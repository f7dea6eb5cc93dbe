// Little-endian fields of the stored records, written and read one byte at a
// time so that the files are the same on every host.
#pragma once

#include <bit>
#include <cstdint>

namespace orv {

class ByteWriter {
  public:
    explicit ByteWriter(unsigned char* out) : out_(out) {}

    void u8(std::uint8_t value) { *out_++ = value; }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void f64(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        u32(static_cast<std::uint32_t>(bits));
        u32(static_cast<std::uint32_t>(bits >> 32));
    }
    void bytes(const char* text, int count) {
        for (int i = 0; i < count; ++i) {
            u8(static_cast<std::uint8_t>(text[i]));
        }
    }

  private:
    unsigned char* out_;
};

class ByteReader {
  public:
    explicit ByteReader(const unsigned char* in) : in_(in) {}

    std::uint32_t u32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            value |= static_cast<std::uint32_t>(in_[i]) << (8 * i);
        }
        in_ += 4;
        return value;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    double f64() {
        const std::uint64_t low = u32();
        const std::uint64_t high = u32();
        return std::bit_cast<double>(low | high << 32);
    }

  private:
    const unsigned char* in_;
};

} // namespace orv
