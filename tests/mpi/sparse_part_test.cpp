// A rank's part of the counts packed without its zeros and added into rank
// 0's: the sums are those of the whole parts, and bytes that are not a part
// of the size are refused.
#include "sparse_part.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace orv {
namespace {

TEST(SparsePart, PacksABitPerValueAndTheLitValues) {
    // Ten values: two bytes of bits, then three 32-bit values.
    const std::vector<std::uint32_t> values = {0, 7, 0, 0, 0, 0, 0, 0, 4294967295u, 3};
    std::vector<unsigned char> packed;
    PackPart(values.data(), values.size(), packed);
    EXPECT_EQ(packed.size(), 2u + 3u * 4u);
    EXPECT_EQ(PackedBytes(10, 3, 4), 14u);
    EXPECT_EQ(packed[0], 0b0000'0010);
    EXPECT_EQ(packed[1], 0b0000'0011);

    std::vector<std::uint32_t> sums = {1, 1, 1, 1, 1, 1, 1, 1, 0, 1};
    ASSERT_TRUE(AddPackedPart(packed.data(), packed.size(), sums.data(), sums.size()));
    EXPECT_EQ(sums, (std::vector<std::uint32_t>{1, 8, 1, 1, 1, 1, 1, 1, 4294967295u, 4}));
}

TEST(SparsePart, SixtyFourBitSumsAndAnUnlitPartTravelWhole) {
    const std::vector<std::uint64_t> values = {0, 0, std::uint64_t{1} << 40, 0, 0};
    std::vector<unsigned char> packed;
    PackPart(values.data(), values.size(), packed);
    EXPECT_EQ(packed.size(), 1u + 8u);
    std::vector<std::uint64_t> sums = {5, 5, 5, 5, 5};
    ASSERT_TRUE(AddPackedPart(packed.data(), packed.size(), sums.data(), sums.size()));
    EXPECT_EQ(sums, (std::vector<std::uint64_t>{5, 5, (std::uint64_t{1} << 40) + 5, 5, 5}));

    const std::vector<std::uint64_t> dark(17, 0);
    PackPart(dark.data(), dark.size(), packed);
    EXPECT_EQ(packed, std::vector<unsigned char>(3, 0));
    EXPECT_EQ(LitValues(dark.data(), dark.size()), 0u);
}

TEST(SparsePart, BytesOfAnotherSizeAreRefused) {
    const std::vector<std::uint32_t> values = {9, 0, 9};
    std::vector<unsigned char> packed;
    PackPart(values.data(), values.size(), packed);
    std::vector<std::uint32_t> sums(3, 0);
    EXPECT_FALSE(AddPackedPart(packed.data(), packed.size() - 1, sums.data(), sums.size()));
    packed.push_back(0);
    EXPECT_FALSE(AddPackedPart(packed.data(), packed.size(), sums.data(), sums.size()));
    EXPECT_FALSE(AddPackedPart(packed.data(), 0, sums.data(), sums.size()));
}

} // namespace
} // namespace orv
