// Eight lanes, compiled for AVX-512F; the sine is SLEEF's one without FMA.
#include "orbit_lanes_body.h"

#include <sleef.h>

namespace orv {

namespace {

using V8 = double __attribute__((vector_size(64)));
using Bits8 = long long __attribute__((vector_size(64)));
using Ints8 = std::int32_t __attribute__((vector_size(32)));

V8 Sine8(V8 v) {
    return Sleef_cinz_sind8_u10avx512fnofma(v);
}

} // namespace

void AdvanceAvx512Lanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
    Lanes<V8, Bits8, Ints8, 8, Sine8>::Advance(map, state, steps, track);
}

} // namespace orv
