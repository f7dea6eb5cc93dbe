// The vector unit the orbits of a poster run on, side by side in its lanes:
// the widest the processor has, or the one ORVANTIS_ISA names. Every path
// gives the same bits, so the choice changes the speed, never the picture.
#pragma once

#include <optional>
#include <string>

namespace orv {

enum class LaneIsa { Scalar, Sse2, Avx2, Avx512 };

// How many orbits a path runs at once.
unsigned LaneWidth(LaneIsa isa);

// The name ORVANTIS_ISA gives the path.
const char* LaneIsaName(LaneIsa isa);

// Whether the processor can run the path.
bool HasLaneIsa(LaneIsa isa);

// The widest path the processor can run.
LaneIsa WidestLaneIsa();

// The path a value of ORVANTIS_ISA asks for (null or empty: the widest);
// an error that names the value when it is unknown or the processor lacks
// the path.
struct IsaChoice {
    std::optional<LaneIsa> isa;
    std::string error;
};
IsaChoice ChooseLaneIsa(const char* requested);

// The same for the value of ORVANTIS_ISA in the environment.
IsaChoice LaneIsaOfEnvironment();

} // namespace orv
