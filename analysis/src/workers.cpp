#include "analysis/workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
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
        threads_.reserve(static_cast<std::size_t>(workers));
        for (int i = 0; i < workers; ++i) {
            try {
                threads_.emplace_back([this, i] { serve(i); });
            } catch (const std::system_error&) {
                break;
            }
        }
    }

    ~Pool() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : threads_) {
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
            body(begin, std::min(begin + range, count));
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

    std::vector<std::thread> threads_;
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
    // The generation of the current job (high half) and the first column not
    // yet claimed (low half).
    std::atomic<std::uint64_t> claim_{0};
};

int limit = 0;

int cores() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

Pool& pool() {
    static Pool instance(cores() - 1);
    return instance;
}

} // namespace

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

} // namespace orv
