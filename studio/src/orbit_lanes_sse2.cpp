// Two lanes on SSE2, which every x86-64 processor has.
#include "orbit_lanes_body.h"

#include <sleef.h>

namespace orv {

namespace {

using V2 = double __attribute__((vector_size(16)));
using Bits2 = long long __attribute__((vector_size(16)));
using Ints2 = std::int32_t __attribute__((vector_size(8)));

V2 Sine2(V2 v) {
    return Sleef_cinz_sind2_u10sse2(v);
}

} // namespace

void AdvanceSse2Lanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
    Lanes<V2, Bits2, Ints2, 2, Sine2>::Advance(map, state, steps, track);
}

} // namespace orv
