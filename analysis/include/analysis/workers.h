// A small pool of threads, made on first use and kept until the program ends,
// for work whose items are independent of each other (the pixels of a
// Lyapunov map row).
#pragma once

#include <functional>
#include <thread>
#include <vector>

namespace orv {

// The threads to use when none are asked for: the cores the calling thread
// may run on (fewer than the machine's when a launcher has bound the process
// to some of them), at least 1.
unsigned DefaultThreads();

// Calls body(begin, end) for consecutive ranges that together cover 0 to
// count - 1, on the pool's threads and the calling thread, and returns when
// every range is done. Ranges run in no particular order. An exception out of
// body comes out of ParallelFor, on the calling thread, once every range
// already begun has ended; the ranges not yet begun are then left undone.
void ParallelFor(int count, const std::function<void(int begin, int end)>& body);

// Limits the threads ParallelFor uses, the calling thread included; 1 runs
// everything on the calling thread, 0 (the start value) uses DefaultThreads().
void SetWorkerLimit(int threads);

// Starts threads running body(0), body(1), ... body(count - 1), as many as
// the system will start: at the first one it refuses (too many threads, too
// little memory for a stack) the rest are done without. Returns the threads
// started, which are joined when the vector goes.
std::vector<std::jthread> StartThreads(unsigned count, const std::function<void(unsigned)>& body);

// From now on, StartThreads starts at most this many threads at one call,
// as a system short of threads would; a negative number lifts the limit.
void LimitThreadStarts(int threads);

} // namespace orv
