// The pool of threads: work that fails comes back to the caller.
#include "analysis/workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <vector>

namespace orv {
namespace {

TEST(Workers, AFailureInAnyRangeComesOutOnTheCallingThreadAndThePoolGoesOn) {
    SetWorkerLimit(0);
    std::atomic<int> done{0};
    EXPECT_THROW(ParallelFor(1000,
                             [&](int begin, int end) {
                                 if (begin <= 700 && 700 < end) {
                                     throw std::bad_alloc();
                                 }
                                 done += end - begin;
                             }),
                 std::bad_alloc);
    EXPECT_LT(done.load(), 1000);
    std::vector<int> seen(1000, 0);
    ParallelFor(1000, [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            ++seen[static_cast<std::size_t>(i)];
        }
    });
    EXPECT_EQ(seen, std::vector<int>(1000, 1)) << "each item once, after the failed job";
}

} // namespace
} // namespace orv
