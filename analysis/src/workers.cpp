#include "analysis/workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <new>
#include <sched.h>
#include <system_error>
#include <thread>
#include <vector>

namespace orv {

namespace {

// Ranges per thread: enough that a thread finishing early takes over work
// from a slower one.
constexpr int kRangesPerThread = 64;

// The threads wait for a job; the calling thread works on it too and then
// waits only for the ranges that others have taken, so a thread that wakes
// late (on a busy machine) never holds a job up.
class Pool {
  public:
    // A thread the system will not make is done without: the work is the
    // same, only shared among fewer threads.
    explicit Pool(int workers) {
        threads_ = StartThreads(static_cast<unsigned>(std::max(workers, 0)),
                                [this](unsigned index) { serve(static_cast<int>(index)); });
    }

    ~Pool() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::jthread& t : threads_) {
            t.join();
        }
    }

    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    int workers() const { return static_cast<int>(threads_.size()); }

    void run(int count, int helpers, const std::function<void(int, int)>& body) {
        const int range = std::max(1, count / ((helpers + 1) * kRangesPerThread));
        std::uint32_t generation;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            generation = ++generation_;
            body_ = &body;
            count_ = count;
            range_ = range;
            helpers_ = helpers;
            ranges_ = (count + range - 1) / range;
            finished_ = 0;
            claim_.store(std::uint64_t{generation} << 32);
        }
        wake_.notify_all();
        work(generation, body, count, range);
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return finished_ == ranges_; });
        if (failure_) {
            std::exception_ptr failure;
            std::swap(failure, failure_);
            failing_ = false;
            std::rethrow_exception(failure);
        }
    }

  private:
    // Runs ranges of the job of this generation until none is left. A range
    // is claimed together with the generation, so a thread still holding an
    // older job's details can never run a newer job's ranges.
    void work(std::uint32_t generation, const std::function<void(int, int)>& body, int count,
              int range) {
        for (;;) {
            std::uint64_t current = claim_.load();
            int begin;
            do {
                begin = static_cast<int>(current & 0xFFFFFFFFu);
                if (static_cast<std::uint32_t>(current >> 32) != generation || begin >= count) {
                    return;
                }
            } while (
                !claim_.compare_exchange_weak(current, current + static_cast<unsigned>(range)));
            // After a failure the remaining ranges are only counted off.
            if (!failing_) {
                try {
                    body(begin, std::min(begin + range, count));
                } catch (...) {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    if (!failure_) {
                        failure_ = std::current_exception();
                    }
                    failing_ = true;
                }
            }
            std::lock_guard<std::mutex> lock(mutex_);
            if (++finished_ == ranges_) {
                done_.notify_one();
            }
        }
    }

    void serve(int index) {
        std::uint32_t seen = 0;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) {
                return;
            }
            seen = generation_;
            if (index >= helpers_) {
                continue;
            }
            const std::function<void(int, int)>* body = body_;
            const int count = count_;
            const int range = range_;
            lock.unlock();
            work(seen, *body, count, range);
            lock.lock();
        }
    }

    std::vector<std::jthread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    bool stopping_ = false;
    std::uint32_t generation_ = 0;
    const std::function<void(int, int)>* body_ = nullptr;
    int count_ = 0;
    int range_ = 1;
    int helpers_ = 0;
    int ranges_ = 0;
    int finished_ = 0;
    // The first exception out of the job's body, and whether there was one.
    std::exception_ptr failure_;
    std::atomic<bool> failing_{false};
    // The generation of the current job (high half) and the first column not
    // yet claimed (low half).
    std::atomic<std::uint64_t> claim_{0};
};

int limit = 0;
std::atomic<int> startLimit{-1};

int cores() {
    return static_cast<int>(DefaultThreads());
}

Pool& pool() {
    static Pool instance(cores() - 1);
    return instance;
}

} // namespace

unsigned DefaultThreads() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&set)));
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

void ParallelFor(int count, const std::function<void(int, int)>& body) {
    if (count <= 0) {
        return;
    }
    const int threads = limit > 0 ? std::min(limit, cores()) : cores();
    if (threads == 1 || count == 1) {
        body(0, count);
        return;
    }
    Pool& p = pool();
    p.run(count, std::min(threads - 1, p.workers()), body);
}

void SetWorkerLimit(int threads) {
    limit = std::max(threads, 0);
}

std::vector<std::jthread> StartThreads(unsigned count, const std::function<void(unsigned)>& body) {
    std::vector<std::jthread> threads;
    const int most = startLimit.load();
    try {
        threads.reserve(count);
        for (unsigned i = 0; i < count && (most < 0 || i < static_cast<unsigned>(most)); ++i) {
            threads.emplace_back(body, i);
        }
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
    return threads;
}

void LimitThreadStarts(int threads) {
    startLimit.store(threads);
}

} // namespace orv
