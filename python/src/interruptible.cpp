#include "interruptible.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace py = pybind11;

namespace orv::python {

namespace {

constexpr std::chrono::milliseconds kCheckEvery{100};

} // namespace

void RunInterruptible(const std::function<void(const WorkControl&)>& work,
                      const py::object& progress, std::uint64_t total) {
    std::atomic<bool> stop{false};
    std::atomic<std::uint64_t> done{0};
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(WorkControl{stop, done});
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard<std::mutex> lock(mutex);
        finished = true;
        ended.notify_one();
    });
    for (bool over = false; !over;) {
        {
            const py::gil_scoped_release release;
            std::unique_lock<std::mutex> lock(mutex);
            over = ended.wait_for(lock, kCheckEvery, [&] { return finished; });
        }
        try {
            if (!progress.is_none()) {
                progress(done.load(), total);
            }
            if (PyErr_CheckSignals() != 0) {
                throw py::error_already_set();
            }
        } catch (...) {
            stop = true;
            {
                const py::gil_scoped_release release;
                worker.join();
            }
            throw;
        }
    }
    {
        const py::gil_scoped_release release;
        worker.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace orv::python
