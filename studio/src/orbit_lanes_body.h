// The steps of the lanes, written once for every vector width: V holds W
// doubles, Bits as many 64-bit and Ints as many 32-bit whole numbers, and
// Sine is SLEEF's deterministic sine of that width. Each path's file includes
// this in its own translation unit, compiled for its unit; everything here
// has internal linkage, so that no other file ever calls code built for a
// unit the processor may lack.
#pragma once

#include "orbit_lanes.h"

namespace orv {
namespace {

template <typename V, typename Bits, typename Ints, unsigned W, V (*Sine)(V)> struct Lanes {
    static_assert(sizeof(V) == W * sizeof(double) && sizeof(Ints) == W * sizeof(std::int32_t));

    static V Load(const double* from) {
        V v;
        __builtin_memcpy(&v, from, sizeof v);
        return v;
    }
    static void Store(double* to, const V& v) { __builtin_memcpy(to, &v, sizeof v); }
    static void Store(std::int32_t* to, const Ints& v) { __builtin_memcpy(to, &v, sizeof v); }
    static V All(double value) { return V{} + value; }
    static Ints AllInts(std::int32_t value) { return Ints{} + value; }
    // The magnitude: the sign bit cleared, as fabs does.
    static V Abs(V v) {
        return reinterpret_cast<V>(reinterpret_cast<Bits>(v) & (Bits{} + kMagnitude));
    }

    // The truncated whole part where it is within kLaneFarAway, else -1.
    static Ints Whole(V position, Ints& near) {
        const V far = All(kLaneFarAway);
        const auto within = (position < far) & (position > -far);
        near = __builtin_convertvector(within, Ints);
        return __builtin_convertvector(within ? position : V{}, Ints);
    }

    template <int Type, bool Depth, bool Project>
    static void Run(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
        V x = Load(state.x);
        V y = Load(state.y);
        V z = Load(state.z);
        const V a = All(map.a);
        const V b = All(map.b);
        const V c = All(map.c);
        const V d = All(map.d);
        const V xmin = All(map.xmin);
        const V ymin = All(map.ymin);
        const V xwidth = All(map.xmax - map.xmin);
        const V yheight = All(map.ymax - map.ymin);
        const V dres = All(static_cast<double>(map.res));
        const V drows = All(static_cast<double>(map.rows));
        const Ints last = AllInts(map.rows - 1);
        const Ints none = AllInts(-1);
        const bool ghost = map.ghost && Type != 0;
        Ints ghostcount;
        __builtin_memcpy(&ghostcount, state.ghostcount, sizeof ghostcount);
        for (unsigned step = 0; step < steps; ++step) {
            V nextX;
            V nextY;
            if constexpr (Type == 0) {
                nextX = c * Sine(b * x) + Sine(b * y);
                nextY = d * Sine(a * y) + Sine(a * x);
            } else {
                const V s = Sine(b * x);
                const V t = Sine(a * y);
                if constexpr (Type == 1) {
                    const V u = Sine(c * y);
                    nextX = Sine(b * y) + s * s + s * s * s;
                    nextY = Sine(a * x) + t * t + u * u * u;
                } else if constexpr (Type == 2) {
                    nextX = Sine(b * y) + s * s;
                    nextY = Sine(a * x) + t * t;
                } else {
                    nextX = Abs(Sine(b * y)) + s * s;
                    nextY = Abs(Sine(a * x)) + t * t;
                }
            }
            if constexpr (Depth) {
                z = Sine(x);
            }
            x = nextX;
            y = nextY;
            if (ghost) {
                ghostcount += 1;
                const Bits mirrored = __builtin_convertvector(ghostcount > 10000, Bits);
                ghostcount = ghostcount == 20000 ? Ints{} : ghostcount;
                x = mirrored ? -x : x;
                y = mirrored ? -y : y;
            }
            const unsigned at = step * W;
            Store(track.x + at, x);
            Store(track.y + at, y);
            Store(track.z + at, z);
            if constexpr (Project) {
                Ints near;
                const Ints column = Whole((x - xmin) * dres / xwidth, near);
                Store(track.column + at, near ? column : none);
                const Ints row = Whole((y - ymin) * drows / yheight, near);
                Store(track.row + at, near ? last - row : none);
            }
        }
        Store(state.x, x);
        Store(state.y, y);
        Store(state.z, z);
        Store(state.ghostcount, ghostcount);
    }

    template <int Type>
    static void RunType(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
        if (map.depth) {
            map.project ? Run<Type, true, true>(map, state, steps, track)
                        : Run<Type, true, false>(map, state, steps, track);
        } else {
            map.project ? Run<Type, false, true>(map, state, steps, track)
                        : Run<Type, false, false>(map, state, steps, track);
        }
    }

    static void Advance(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track) {
        switch (map.type) {
        case 0:
            RunType<0>(map, state, steps, track);
            break;
        case 1:
            RunType<1>(map, state, steps, track);
            break;
        case 2:
            RunType<2>(map, state, steps, track);
            break;
        default:
            RunType<3>(map, state, steps, track);
            break;
        }
    }

    static constexpr long long kMagnitude = 0x7fffffffffffffffLL;
};

} // namespace
} // namespace orv
