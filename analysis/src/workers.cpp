#include "analysis/workers.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace orv {

namespace {

// Ranges per thread: enough that a thread finishing early takes over work
// from a slower one.
constexpr int kRangesPerThread = 8;

class Pool {
  public:
    explicit Pool(int workers) {
        for (int i = 0; i < workers; ++i) {
            threads_.emplace_back([this, i] { serve(i); });
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
        {
            std::lock_guard<std::mutex> lock(mutex_);
            body_ = &body;
            count_ = count;
            range_ = range;
            helpers_ = helpers;
            busy_ = helpers;
            next_.store(0);
            ++generation_;
        }
        wake_.notify_all();
        share();
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        body_ = nullptr;
    }

  private:
    // Takes ranges of the current job until none is left.
    void share() {
        for (int begin = next_.fetch_add(range_); begin < count_; begin = next_.fetch_add(range_)) {
            (*body_)(begin, std::min(begin + range_, count_));
        }
    }

    void serve(int index) {
        unsigned seen = 0;
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
            lock.unlock();
            share();
            lock.lock();
            if (--busy_ == 0) {
                done_.notify_one();
            }
        }
    }

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    bool stopping_ = false;
    unsigned generation_ = 0;
    const std::function<void(int, int)>* body_ = nullptr;
    int count_ = 0;
    int range_ = 1;
    int helpers_ = 0;
    int busy_ = 0;
    std::atomic<int> next_{0};
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
