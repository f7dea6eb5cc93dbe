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

double draw(double low, double high) {
    return DrawCoefficient(NextRandom, low, high);
}

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
    for (result.count = 1; result.count <= kSearchTries; ++result.count) {
        RP.a = draw(abcdrange[0], abcdrange[1]);
        RP.b = draw(abcdrange[0], abcdrange[1]);
        RP.c = draw(abcdrange[2], abcdrange[3]);
        RP.d = draw(abcdrange[2], abcdrange[3]);
        if (!PassesSizeTest(RP)) {
            continue;
        }
        RP.xstart = p[type].xstart;
        RP.ystart = p[type].ystart;
        RP.zstart = p[type].zstart;
        p[type] = RP;
        lyapunov();
        if (LExp >= kChaoticExponent) {
            result.found = true;
            break;
        }
    }
    paramclip(&RP);
    if (!result.found) {
        p[type] = result.previous;
    }
    return result;
}

} // namespace orv
