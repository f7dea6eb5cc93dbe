#include "platform/kernel.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orv {
namespace {

TEST(LocalHeap, ZeroInitialisedBlocks) {
    auto* block = static_cast<unsigned char*>(LocalAlloc(LMEM_ZEROINIT, 4096));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 4096; ++i) {
        ASSERT_EQ(block[i], 0);
    }
    EXPECT_EQ(LocalFree(block), nullptr);
}

TEST(LocalHeap, FailuresCanBeForcedByRequestNumber) {
    SetLocalAllocFailure([](std::size_t, int request) { return request == 1; });
    void* first = LocalAlloc(LMEM_ZEROINIT, 8);
    void* second = LocalAlloc(LMEM_ZEROINIT, 8);
    void* third = LocalAlloc(LMEM_ZEROINIT, 8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(third, nullptr);
    LocalFree(first);
    LocalFree(third);
    SetLocalAllocFailure({});
    void* fine = LocalAlloc(LMEM_ZEROINIT, 8);
    EXPECT_NE(fine, nullptr);
    LocalFree(fine);
}

TEST(CurrentDirectory, ReportsTheWorkingDirectory) {
    char buffer[260];
    ASSERT_GT(GetCurrentDirectoryA(sizeof buffer, buffer), 0u);
    EXPECT_EQ(buffer[0], '/');
    char tiny[2];
    EXPECT_GT(GetCurrentDirectoryA(sizeof tiny, tiny), 2u) << "too small a buffer gets the size";
}

} // namespace
} // namespace orv
