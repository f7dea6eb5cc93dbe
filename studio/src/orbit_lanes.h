// Orbits side by side in the lanes of a vector unit, their sines from SLEEF's
// deterministic functions, which give the same bits on every vector width.
// One file per path holds the steps, compiled for its unit; this header is
// all they share with the rest of the program, plain values only.
#pragma once

#include <cstdint>

namespace orv {

// The widest path's lanes.
inline constexpr unsigned kMostLanes = 8;
// The most steps one call takes.
inline constexpr unsigned kTrackSteps = 64;
// Positions this far from the image are never drawn (kFarAway).
inline constexpr double kLaneFarAway = 1e9;

// The map and, where the picture is not turned, the projection the lanes
// step through; the same arithmetic as the desktop program's step, with
// SLEEF's sine in place of the standard one.
struct LaneMap {
    int type = 0; // 0 Standard, 1 Alpha, 2 Beta, 3 Gamma
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
    bool ghost = false;
    bool depth = true;   // z is computed; without it z is left as it is
    bool project = true; // the pixel of each point is recorded
    double xmin = 0.0;
    double xmax = 0.0;
    double ymin = 0.0;
    double ymax = 0.0;
    int res = 0;  // the image's width in pixels
    int rows = 0; // and its height
};

// The points of the lanes and their ghost image counters, as KernelState.
struct LaneState {
    alignas(64) double x[kMostLanes] = {};
    alignas(64) double y[kMostLanes] = {};
    alignas(64) double z[kMostLanes] = {};
    alignas(64) std::int32_t ghostcount[kMostLanes] = {};
};

// The points after each step, lane by lane: step s of lane l at s * width + l;
// and with project their pixels, as ProjectPoint gives them.
struct LaneTrack {
    alignas(64) double x[kTrackSteps * kMostLanes];
    alignas(64) double y[kTrackSteps * kMostLanes];
    alignas(64) double z[kTrackSteps * kMostLanes];
    alignas(64) std::int32_t column[kTrackSteps * kMostLanes];
    alignas(64) std::int32_t row[kTrackSteps * kMostLanes];
};

// Moves every lane of the path on by steps (at most kTrackSteps) steps and
// records each point in track.
using AdvanceLanes = void (*)(const LaneMap& map, LaneState& state, unsigned steps,
                              LaneTrack& track);

void AdvanceScalarLanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track);
void AdvanceSse2Lanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track);
void AdvanceAvx2Lanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track);
void AdvanceAvx512Lanes(const LaneMap& map, LaneState& state, unsigned steps, LaneTrack& track);

} // namespace orv
