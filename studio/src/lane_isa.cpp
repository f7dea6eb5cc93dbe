#include "studio/lane_isa.h"

#include <cstdlib>
#include <cstring>

namespace orv {

namespace {

constexpr LaneIsa kPaths[] = {LaneIsa::Scalar, LaneIsa::Sse2, LaneIsa::Avx2, LaneIsa::Avx512};

} // namespace

unsigned LaneWidth(LaneIsa isa) {
    switch (isa) {
    case LaneIsa::Scalar:
        return 1;
    case LaneIsa::Sse2:
        return 2;
    case LaneIsa::Avx2:
        return 4;
    default:
        return 8;
    }
}

const char* LaneIsaName(LaneIsa isa) {
    switch (isa) {
    case LaneIsa::Scalar:
        return "scalar";
    case LaneIsa::Sse2:
        return "sse2";
    case LaneIsa::Avx2:
        return "avx2";
    default:
        return "avx512";
    }
}

bool HasLaneIsa(LaneIsa isa) {
    switch (isa) {
    case LaneIsa::Scalar:
    case LaneIsa::Sse2:
        return true;
    case LaneIsa::Avx2:
        return __builtin_cpu_supports("avx2");
    default:
        return __builtin_cpu_supports("avx512f");
    }
}

LaneIsa WidestLaneIsa() {
    for (auto path = std::rbegin(kPaths); path != std::rend(kPaths); ++path) {
        if (HasLaneIsa(*path)) {
            return *path;
        }
    }
    return LaneIsa::Scalar;
}

IsaChoice ChooseLaneIsa(const char* requested) {
    if (requested == nullptr || *requested == '\0') {
        return {WidestLaneIsa(), {}};
    }
    for (const LaneIsa path : kPaths) {
        if (std::strcmp(requested, LaneIsaName(path)) != 0) {
            continue;
        }
        if (!HasLaneIsa(path)) {
            return {std::nullopt, std::string("ORVANTIS_ISA: this processor has no ") + requested +
                                      " unit; it can run " + LaneIsaName(WidestLaneIsa()) +
                                      " and the narrower paths"};
        }
        return {path, {}};
    }
    return {std::nullopt,
            std::string("ORVANTIS_ISA: '") + requested + "' is not scalar, sse2, avx2 or avx512"};
}

IsaChoice LaneIsaOfEnvironment() {
    return ChooseLaneIsa(std::getenv("ORVANTIS_ISA"));
}

} // namespace orv
