#include "render/hitcount.h"
#include "platform/kernel.h"
#include "render/plot.h"
#include "render/state.h"

#include <cstring>
#include <memory>

namespace orv {

namespace {

struct LocalFreer {
    void operator()(float* block) const { LocalFree(block); }
};

// The owner of the block hitcount points into.
std::unique_ptr<float, LocalFreer> buffer;

} // namespace

bool PrepareHitCount() {
    const std::size_t bytes = sizeof(float) * static_cast<std::size_t>(res) * res;
    if (buffer != nullptr && hcres == res) {
        std::memset(buffer.get(), 0, bytes);
        return true;
    }
    FreeHitCount();
    buffer.reset(static_cast<float*>(LocalAlloc(LMEM_ZEROINIT, bytes)));
    hitcount = buffer.get();
    if (buffer == nullptr) {
        return false;
    }
    hcres = res;
    return true;
}

void FreeHitCount() {
    buffer.reset();
    hitcount = nullptr;
    hcres = 0;
}

} // namespace orv
