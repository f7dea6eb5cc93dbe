#include "render/steps.h"
#include "render/kernel.h"
#include "render/plot.h"
#include "render/state.h"

#include "colouring.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

void keepRadians(const Rotation& turn) {
    xradians_user = turn.xradians();
    yradians_user = turn.yradians();
    zradians_user = turn.zradians();
}

// One step of a picture of the type Type that is not turned, with the
// render state's inputs as they are now.
template <int Type> struct StepNow {
    static constexpr bool kDepth = true;
    [[gnu::always_inline]] Pixel operator()(KernelState& state) const {
        return StepPoint(state, Type, p[Type], ghostflag != 0, nullptr, mm[Type], res, res);
    }
};

// A step with inputs fixed for a run of steps, of the type Type; without
// Depth the points' z is not computed (see walk).
template <bool Depth, int Type> struct StepWith {
    static constexpr bool kDepth = Depth;
    const RenderKernel& kernel;
    const Rotation* turn;
    [[gnu::always_inline]] Pixel operator()(KernelState& state) const {
        const KernelInputs& in = kernel.inputs();
        return StepPoint<Depth>(state, Type, in.param, in.ghost, turn, in.view, in.res, in.rows());
    }
};

// The loop keeps the iterate and the counters in locals and writes them
// back once: the surfaces it draws into would otherwise make the compiler
// reload every global after each pixel.
template <int Method, class Step> void walk(Step step, HDC window, std::uint64_t count) {
    colouring::Canvas canvas = colouring::RenderCanvas(window);
    // The step counter only tells the kernel whether this is a render's
    // first step, which resets the ghost image counter.
    KernelState state{v, ghostcount, static_cast<std::uint64_t>(itercount)};
    VOXEL before = oldv;
    double earlier = 0.0;
    for (std::uint64_t i = 0; i < count; ++i) {
        earlier = before.x;
        before = state.point;
        const Pixel at = step(state);
        colouring::colour<Method>(canvas, at.x, at.y, state.point, before);
    }
    if constexpr (!Step::kDepth) {
        // A point's z is the sine of the x before it: only the two points
        // that stay, v and oldv, need theirs. With a single step oldv is the
        // v from before, whose z is already there.
        state.point.z = std::sin(before.x);
        if (count > 1) {
            before.z = std::sin(earlier);
        }
    }
    v = state.point;
    oldv = before;
    ghostcount = state.ghostcount;
    if (itercount < 1000) {
        itercount = static_cast<int>(
            std::min<std::uint64_t>(1000, static_cast<std::uint64_t>(itercount) + count));
    }
    hitmax = canvas.most;
}

template <class Step>
void walkColouring(Step step, HDC window, std::uint64_t count, Colouring colouring) {
    switch (colouring == Colouring::kSkip ? -1 : method[type]) {
    case 0:
        walk<0>(step, window, count);
        break;
    case 1:
        walk<1>(step, window, count);
        break;
    case 2:
        walk<2>(step, window, count);
        break;
    default:
        walk<-1>(step, window, count);
        break;
    }
}

// The type is made a constant of the loop, which leaves only its own map in
// it.
template <bool Depth>
void walkType(const RenderKernel& kernel, const Rotation* turn, HDC window, std::uint64_t count,
              Colouring colouring) {
    switch (kernel.inputs().type) {
    case 0:
        walkColouring(StepWith<Depth, 0>{kernel, turn}, window, count, colouring);
        break;
    case 1:
        walkColouring(StepWith<Depth, 1>{kernel, turn}, window, count, colouring);
        break;
    case 2:
        walkColouring(StepWith<Depth, 2>{kernel, turn}, window, count, colouring);
        break;
    default:
        walkColouring(StepWith<Depth, 3>{kernel, turn}, window, count, colouring);
        break;
    }
}

// Steps with one kernel for the run. Kept out of line so that the single
// step, taken once a call by the render driver, does not share its frame.
[[gnu::noinline]] void takeWithKernel(HDC window, std::uint64_t count, Colouring colouring) {
    const RenderKernel kernel(RenderInputs());
    if (kernel.rotation().turns()) {
        keepRadians(kernel.rotation());
    }
    // Hit Count and Speed use only x and y; so does the projection unless the
    // picture is turned.
    const Rotation* turn = kernel.rotation().turns() ? &kernel.rotation() : nullptr;
    if (turn != nullptr || (colouring == Colouring::kPlot && method[type] == 2)) {
        walkType<true>(kernel, turn, window, count, colouring);
    } else {
        walkType<false>(kernel, turn, window, count, colouring);
    }
}

} // namespace

void TakeSteps(HDC window, std::uint64_t count, Colouring colouring) {
    if (count == 0) {
        return;
    }
    // A single step is the render driver's usual one: while the picture is
    // not turned it needs no kernel, only the inputs as they are now.
    if (count > 1 || Rotation::Turns(rot[type])) {
        takeWithKernel(window, count, colouring);
        return;
    }
    switch (type) {
    case 0:
        walkColouring(StepNow<0>{}, window, count, colouring);
        break;
    case 1:
        walkColouring(StepNow<1>{}, window, count, colouring);
        break;
    case 2:
        walkColouring(StepNow<2>{}, window, count, colouring);
        break;
    default:
        walkColouring(StepNow<3>{}, window, count, colouring);
        break;
    }
}

} // namespace orv
