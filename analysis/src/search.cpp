#include "analysis/search.h"
#include "analysis/lyapunov.h"
#include "analysis/random.h"
#include "analysis/randomparams.h"
#include "render/defaults.h"

namespace orv {

std::optional<ChaoticSet> SearchChaotic(const KernelInputs& inputs, std::uint32_t seed) {
    std::uint32_t state = seed;
    const auto next = [&state] {
        state = NextRuntimeState(state);
        return RuntimeRandomOf(state);
    };
    KernelInputs candidate = inputs;
    double exponent = 0.0;
    const std::optional<int> tries = SearchTries(next, candidate.param, [&](const PARAM&) {
        int ghostcount = 0;
        exponent = LyapunovOf(RenderKernel(candidate), ghostcount);
        return exponent;
    });
    if (!tries) {
        return std::nullopt;
    }
    return ChaoticSet{candidate.param, exponent, *tries};
}

} // namespace orv
