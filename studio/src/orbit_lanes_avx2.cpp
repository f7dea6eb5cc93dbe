// Four lanes, compiled for AVX2; the sine is SLEEF's AVX one, without FMA.
#include "orbit_lanes_body.h"

#include <sleef.h>

namespace orv {

namespace {

using V4 = double __attribute__((vector_size(32)));
using Bits4 = long long __attribute__((vector_size(32)));
using Ints4 = std::int32_t __attribute__((vector_size(16)));

V4 Sine4(V4 v) {
    return Sleef_cinz_sind4_u10avx(v);
}

} // namespace

void AdvanceAvx2Lanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
    Lanes<V4, Bits4, Ints4, 4, Sine4>::Advance(map, state, steps, track);
}

} // namespace orv
