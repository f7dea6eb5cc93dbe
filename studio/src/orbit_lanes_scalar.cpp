// One lane: SLEEF's portable C sine, the bits of every wider path.
#include "orbit_lanes_body.h"

#include <sleef.h>

namespace orv {

namespace {

using V1 = double __attribute__((vector_size(8)));
using Bits1 = long long __attribute__((vector_size(8)));
using Ints1 = std::int32_t __attribute__((vector_size(4)));

V1 Sine1(V1 v) {
    return V1{Sleef_cinz_sind1_u10purec(v[0])};
}

} // namespace

void AdvanceScalarLanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
    Lanes<V1, Bits1, Ints1, 1, Sine1>::Advance(map, state, steps, track);
}

} // namespace orv
