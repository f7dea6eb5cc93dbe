#include "steps.h"

#include "render/state.h"
#include "ui/driver.h"

#include <algorithm>

namespace orv {

namespace {

// Steps between two looks at the clock: a few milliseconds of rendering.
constexpr std::uint64_t kStepsPerLook = 1 << 16;

} // namespace

int RunSteps(std::uint64_t steps, ProgressBar* bar) {
    if (steps == 0) {
        return 0;
    }
    // Only a step that starts a render can fail, and only the first one does.
    if (fractaldriver() != 0) {
        return 1;
    }
    std::uint64_t done = 1;
    while (done < steps) {
        const std::uint64_t chunk = std::min(steps - done, kStepsPerLook);
        DriveSteps(chunk);
        done += chunk;
        if (bar != nullptr) {
            bar->update(done, ProgressBar::Clock::now());
        }
    }
    return 0;
}

int RunMap(ProgressBar* bar) {
    std::uint64_t rows = 0;
    while (lmapflag != 0) {
        if (fractaldriver() == kNoHitCountBuffer) {
            return 1;
        }
        ++rows;
        if (bar != nullptr) {
            bar->update(rows, ProgressBar::Clock::now());
        }
    }
    return 0;
}

} // namespace orv
