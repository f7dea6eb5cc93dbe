// Long work off the interpreter's lock: the work runs on a thread of its own
// while the calling thread keeps Python responsive, reporting progress and
// noticing Ctrl-C.
#pragma once

#include <pybind11/pybind11.h>

#include <atomic>
#include <cstdint>
#include <functional>

namespace orv::python {

// What the work is given: the flag that asks it to end early, and where it
// keeps the count of what it has done.
struct WorkControl {
    const std::atomic<bool>& stop;
    std::atomic<std::uint64_t>& done;
};

// Runs work on another thread with the GIL released. About ten times a
// second the calling thread takes the GIL, calls progress(done, total) when
// progress is not None, and lets Python handle its signals. An exception
// there (KeyboardInterrupt from Ctrl-C, or one out of progress) sets the
// stop flag, waits for the work to end and is raised; an exception out of
// work is raised once it has ended.
void RunInterruptible(const std::function<void(const WorkControl&)>& work,
                      const pybind11::object& progress, std::uint64_t total);

} // namespace orv::python
