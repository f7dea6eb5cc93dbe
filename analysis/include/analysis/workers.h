// A small pool of threads, made on first use and kept until the program ends,
// for work whose items are independent of each other (the pixels of a
// Lyapunov map row).
#pragma once

#include <functional>

namespace orv {

// Calls body(begin, end) for consecutive ranges that together cover 0 to
// count - 1, on the pool's threads and the calling thread, and returns when
// every range is done. Ranges run in no particular order.
void ParallelFor(int count, const std::function<void(int begin, int end)>& body);

// Limits the threads ParallelFor uses, the calling thread included; 1 runs
// everything on the calling thread, 0 (the start value) uses every core.
void SetWorkerLimit(int threads);

} // namespace orv
