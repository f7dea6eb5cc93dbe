#include "analysis/search.h"
#include "analysis/lyapunov.h"
#include "analysis/randomparams.h"
#include "render/state.h"

#include <cmath>

namespace orv {

namespace {

// The runtime's generator on the low 32 bits, as NextRandom steps it.
class Generator {
  public:
    explicit Generator(std::uint32_t seed) : state_(seed) {}

    // A coefficient between low and high whose magnitude is at least 0.5,
    // from draws of wjrandom's form.
    double draw(double low, double high) {
        double value;
        do {
            state_ = state_ * 22695477u + 1u;
            const int random_integer = static_cast<int>((state_ >> 16) & 0x7FFF);
            const long double uniform = random_integer * (1.0L / 32767.0L);
            value = static_cast<double>(low + uniform * (high - low));
        } while (std::fabs(value) < 0.5);
        return value;
    }

  private:
    std::uint32_t state_;
};

} // namespace

std::optional<ChaoticSet> SearchChaotic(const KernelInputs& inputs, std::uint32_t seed) {
    Generator generator(seed);
    KernelInputs candidate = inputs;
    for (int count = 1; count <= 100; ++count) {
        candidate.param.a = generator.draw(abcdrange[0], abcdrange[1]);
        candidate.param.b = generator.draw(abcdrange[0], abcdrange[1]);
        candidate.param.c = generator.draw(abcdrange[2], abcdrange[3]);
        candidate.param.d = generator.draw(abcdrange[2], abcdrange[3]);
        if (!PassesSizeTest(candidate.param)) {
            continue;
        }
        int ghostcount = 0;
        const double exponent = LyapunovOf(RenderKernel(candidate), ghostcount);
        if (exponent >= 0.3) {
            return ChaoticSet{candidate.param, exponent, count};
        }
    }
    return std::nullopt;
}

} // namespace orv
