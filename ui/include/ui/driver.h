// The render driver: one render step per call, or many in one.
#pragma once

#include <cstdint>

namespace orv {

// The command that toggles render and pause.
constexpr unsigned kRenderCommand = 165;

// The message shown for kNoHitCountBuffer.
constexpr const char* kNoHitCountBufferText =
    "Not enough memory to allocate hit count buffer.\nFree up more system memory, or\n   set a "
    "smaller image resolution.";

// What a render step came to.
enum DriverResult {
    kStepTaken = 0,
    // No hit-count buffer could be had; the next step starts the render anew.
    kNoHitCountBuffer = 1,
    // The last row of the Lyapunov map is drawn; the next step starts a new
    // attractor render.
    kMapComplete = 2,
};

// One render step. It asks nothing and shows no message: the caller does,
// from the result.
DriverResult fractaldriver();

// count render steps, with exactly the effect of count calls of
// fractaldriver. Steps that start a render or draw a row of the Lyapunov map
// are taken one by one; the attractor's steps after them share the driver's
// work, which makes a long run as fast as the kernel. Stops at the first
// step that is not kStepTaken and returns its result.
DriverResult DriveSteps(std::uint64_t count);

// One render step as the main window takes it: a failure is shown, a
// finished map asks about its grid, and both pause rendering by posting the
// render command.
void RenderStep();

} // namespace orv
