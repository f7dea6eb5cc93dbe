// The pool of threads: work that fails comes back to the caller.
#include "analysis/workers.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <atomic>
#include <new>
#include <vector>

namespace orv {
namespace {

// Runs on the test thread bound to the first one and then the first two of
// its cores, and restores its own set.
TEST(Workers, TheDefaultThreadsAreTheCoresTheThreadMayRunOn) {
    cpu_set_t own;
    ASSERT_EQ(sched_getaffinity(0, sizeof own, &own), 0);
    EXPECT_EQ(DefaultThreads(), static_cast<unsigned>(CPU_COUNT(&own)));
    cpu_set_t fewer;
    CPU_ZERO(&fewer);
    unsigned bound = 0;
    for (int cpu = 0; cpu < CPU_SETSIZE && bound < 2; ++cpu) {
        if (CPU_ISSET(cpu, &own)) {
            CPU_SET(cpu, &fewer);
            ASSERT_EQ(sched_setaffinity(0, sizeof fewer, &fewer), 0);
            EXPECT_EQ(DefaultThreads(), ++bound);
        }
    }
    ASSERT_EQ(sched_setaffinity(0, sizeof own, &own), 0);
}

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
