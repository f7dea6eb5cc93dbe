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
    for (int count = 1; count <= kSearchTries; ++count) {
        candidate.param.a = DrawCoefficient(next, abcdrange[0], abcdrange[1]);
        candidate.param.b = DrawCoefficient(next, abcdrange[0], abcdrange[1]);
        candidate.param.c = DrawCoefficient(next, abcdrange[2], abcdrange[3]);
        candidate.param.d = DrawCoefficient(next, abcdrange[2], abcdrange[3]);
        if (!PassesSizeTest(candidate.param)) {
            continue;
        }
        int ghostcount = 0;
        const double exponent = LyapunovOf(RenderKernel(candidate), ghostcount);
        if (exponent >= kChaoticExponent) {
            return ChaoticSet{candidate.param, exponent, count};
        }
    }
    return std::nullopt;
}

} // namespace orv
