#include "analysis/randomparams.h"
#include "analysis/lyapunov.h"
#include "analysis/random.h"
#include "render/state.h"

#include <cmath>
#include <ctime>

namespace orv {

PARAM RP;

namespace {

std::optional<std::uint32_t> fixedSeed;

} // namespace

long double wjrandom() {
    return NextRandom() * (1.0L / 32767.0L);
}

void paramclip(PARAM* RP) {
    for (int pass = 0; pass < 3; ++pass) {
        for (double* value : {&RP->a, &RP->b, &RP->c, &RP->d, &RP->xstart, &RP->ystart}) {
            *value = *value * 1e12;
            *value = std::floor(*value);
            *value = *value * 1e-12;
        }
    }
}

bool PassesSizeTest(const PARAM& candidate) {
    const double a = std::fabs(candidate.a);
    const double b = std::fabs(candidate.b);
    const double c = std::fabs(candidate.c);
    const double d = std::fabs(candidate.d);
    return !(a + b * c < 1.0) && !(b + a * d < 1.0);
}

void SetRandomSeed(std::optional<std::uint32_t> seed) {
    fixedSeed = seed;
}

SearchResult randomparams() {
    SeedRandom(fixedSeed ? *fixedSeed : static_cast<std::uint32_t>(std::time(nullptr)));
    SearchResult result;
    result.previous = p[type];
    const std::optional<int> found = SearchTries(NextRandom, RP, [](PARAM& candidate) {
        candidate.xstart = p[type].xstart;
        candidate.ystart = p[type].ystart;
        candidate.zstart = p[type].zstart;
        p[type] = candidate;
        lyapunov();
        return LExp;
    });
    result.found = found.has_value();
    result.count = found.value_or(kSearchTries + 1);
    paramclip(&RP);
    if (!result.found) {
        p[type] = result.previous;
    }
    return result;
}

} // namespace orv
