#include "render/kernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>
#include <vector>

namespace orv {
namespace {

// The default inputs of each type, as the program starts.
KernelInputs Defaults(int type) {
    static const PARAM params[] = {
        {0.1, 0.1, 0.0, -0.966918, 2.879879, 0.765145, 0.744728},
        {0.1, 0.1, 0.0, -1.804285, -2.513108, 0.957945, 0.0},
        {0.1, 0.1, 0.0, 2.039949, 1.322977, 0.0, 0.0},
        {0.1, 0.1, 0.0, 0.805414, 2.132054, 0.0, 0.0},
    };
    KernelInputs inputs;
    inputs.type = type;
    inputs.param = params[type];
    const double edge = type == 0 ? 2.5 : 3.5;
    inputs.view = MINMAX{-edge, edge, -edge, edge};
    return inputs;
}

VOXEL Next(const KernelInputs& inputs, VOXEL old) {
    int count = 0;
    return RenderKernel(inputs).map(old, count);
}

TEST(KernelMaps, StandardFirstIterateLandsAtColumn360Row320) {
    const RenderKernel kernel(Defaults(0));
    KernelState state = kernel.start();
    const Pixel at = kernel.step(state);
    EXPECT_NEAR(state.point.x, 0.5013428, 1e-7);
    EXPECT_NEAR(state.point.y, -0.1684381, 1e-7);
    EXPECT_NEAR(state.point.z, 0.0998334, 1e-7);
    EXPECT_EQ(at.x, 360);
    EXPECT_EQ(at.y, 320);
    EXPECT_EQ(state.step, 1u);
}

// Reference figures computed independently from the formulas with the C
// library's sine. At (-0.3, -0.7) both sines that Gamma takes the absolute
// value of are negative; old.z is never read.
TEST(KernelMaps, AlphaBetaAndGammaMatchReferenceFigures) {
    const VOXEL old{-0.3, -0.7, 5.0};
    const VOXEL a = Next(Defaults(1), old);
    EXPECT_NEAR(a.x, 1.771594983512421, 1e-15);
    EXPECT_NEAR(a.y, 1.183477291659335, 1e-15);
    const VOXEL b = Next(Defaults(2), old);
    EXPECT_NEAR(b.x, -0.6498479912621082, 1e-15);
    EXPECT_NEAR(b.y, 0.40524428255166123, 1e-15);
    const VOXEL g = Next(Defaults(3), old);
    EXPECT_NEAR(g.x, 1.35320629213131, 1e-15);
    EXPECT_NEAR(g.y, 0.5248561616903532, 1e-15);
    for (const VOXEL& next : {a, b, g}) {
        EXPECT_NEAR(next.z, -0.29552020666133955, 1e-16);
    }
}

TEST(KernelMaps, OnlyTheParametersEachMapReadsChangeIt) {
    const VOXEL old{0.2, 0.4, 0.0};
    for (int type = 0; type < 4; ++type) {
        const VOXEL plain = Next(Defaults(type), old);
        KernelInputs other = Defaults(type);
        if (type >= 1) {
            other.param.d = 1.5;
        }
        if (type >= 2) {
            other.param.c = 1.5;
        }
        other.param.zstart = 0.9;
        other.rotation = VOXEL{10.0, 20.0, 30.0};
        other.view = MINMAX{-1.0, 1.0, -1.0, 1.0};
        const VOXEL next = Next(other, VOXEL{0.2, 0.4, 0.9});
        EXPECT_EQ(next.x, plain.x) << "type " << type;
        EXPECT_EQ(next.y, plain.y) << "type " << type;
        EXPECT_EQ(next.z, plain.z) << "type " << type;
    }
}

TEST(KernelProjection, Boundaries) {
    const RenderKernel kernel(Defaults(0));
    EXPECT_EQ(kernel.pixel(VOXEL{2.5, 0.0, 0.0}).x, 600) << "xmax is one past the last column";
    EXPECT_EQ(kernel.pixel(VOXEL{0.0, 2.5, 0.0}).y, -1) << "ymax is one above the top row";
    const Pixel near = kernel.pixel(VOXEL{-2.5 - 0.004, -2.5 - 0.004, 0.0});
    EXPECT_EQ(near.x, 0) << "less than a pixel left of xmin truncates towards zero";
    EXPECT_EQ(near.y, 599);
    KernelInputs small = Defaults(0);
    small.res = 200;
    small.view = MINMAX{0.0, 1.0, -1.0, 3.0};
    const Pixel at = RenderKernel(small).pixel(VOXEL{0.5, 0.0, 0.0});
    EXPECT_EQ(at.x, 100);
    EXPECT_EQ(at.y, 149);
}

TEST(KernelProjection, NonFiniteCoordinatesLandOutsideTheImage) {
    const RenderKernel kernel(Defaults(0));
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const VOXEL& point : {VOXEL{nan, nan, 0.0}, VOXEL{inf, -inf, 0.0}, VOXEL{-inf, inf, 0.0},
                               VOXEL{1e300, -1e300, 0.0}}) {
        const Pixel at = kernel.pixel(point);
        EXPECT_FALSE(at.x >= 0 && at.x < 600);
        EXPECT_FALSE(at.y >= 0 && at.y < 600);
    }
}

TEST(KernelGhost, CallsTenThousandAndOneToTwentyThousandAreMirrored) {
    KernelInputs inputs = Defaults(2);
    inputs.ghost = true;
    const RenderKernel kernel(inputs);
    const VOXEL old{0.1, 0.1, 0.0};
    const VOXEL plain = Next(Defaults(2), old);
    int count = 0;
    VOXEL next;
    for (int call = 1; call <= 10000; ++call) {
        next = kernel.map(old, count);
    }
    EXPECT_EQ(next.x, plain.x) << "call 10000";
    next = kernel.map(old, count);
    EXPECT_EQ(next.x, -plain.x) << "call 10001";
    EXPECT_EQ(next.y, -plain.y);
    EXPECT_EQ(next.z, plain.z) << "z is never mirrored";
    for (int call = 10002; call <= 20000; ++call) {
        next = kernel.map(old, count);
    }
    EXPECT_EQ(next.x, -plain.x) << "call 20000";
    EXPECT_EQ(count, 0);
    next = kernel.map(old, count);
    EXPECT_EQ(next.x, plain.x) << "call 20001";
    EXPECT_EQ(count, 1);
}

TEST(KernelGhost, TheCounterRestsWithoutGhostModeAndResetsOnTheFirstStep) {
    KernelInputs inputs = Defaults(1);
    int count = 7;
    RenderKernel(inputs).map(VOXEL{0.1, 0.1, 0.0}, count);
    EXPECT_EQ(count, 7);
    inputs.ghost = true;
    const RenderKernel kernel(inputs);
    KernelState state = kernel.start();
    state.ghostcount = 15000;
    kernel.step(state);
    EXPECT_EQ(state.ghostcount, 1) << "the first step starts counting afresh";
    kernel.step(state);
    EXPECT_EQ(state.ghostcount, 2);
}

TEST(KernelGhost, StandardIgnoresGhostMode) {
    KernelInputs inputs = Defaults(0);
    inputs.ghost = true;
    const RenderKernel ghost(inputs);
    const RenderKernel plain(Defaults(0));
    KernelState a = ghost.start();
    KernelState b = plain.start();
    for (int i = 0; i < 10005; ++i) {
        ghost.step(a);
        plain.step(b);
    }
    EXPECT_EQ(a.point.x, b.point.x);
    EXPECT_EQ(a.point.y, b.point.y);
    EXPECT_EQ(a.ghostcount, 0);
}

TEST(KernelThreads, KernelsOnManyThreadsGiveWhatOneAfterAnotherGives) {
    std::vector<KernelInputs> inputs;
    for (int type = 0; type < 4; ++type) {
        KernelInputs in = Defaults(type);
        in.ghost = true;
        in.rotation = VOXEL{15.0 * type, 30.0, 45.0};
        in.order = type;
        inputs.push_back(in);
    }
    auto run = [](const KernelInputs& in) {
        const RenderKernel kernel(in);
        KernelState state = kernel.start();
        long sum = 0;
        for (int i = 0; i < 30000; ++i) {
            const Pixel at = kernel.step(state);
            sum += at.x * 7 + at.y;
        }
        return sum;
    };
    std::vector<long> alone;
    for (const KernelInputs& in : inputs) {
        alone.push_back(run(in));
    }
    std::vector<long> together(inputs.size());
    std::vector<std::thread> threads;
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        threads.emplace_back([&, k] { together[k] = run(inputs[k]); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(together, alone);
}

VOXEL Turn(VOXEL point, VOXEL degrees, int order) {
    return Rotation(degrees, order).apply(point);
}

// Reference figures for (0.5, 0.25, 0.1) turned by 30, 45 and 60 degrees in
// each order, computed independently.
TEST(KernelRotation, EverySixOrdersGivesItsOwnPoint) {
    const double expected[6][3] = {
        {0.394002, -0.149419, -0.380704}, {0.312827, -0.299760, -0.367129},
        {0.277158, -0.329881, -0.369949}, {0.428638, -0.351366, -0.123737},
        {0.500006, -0.216747, -0.159734}, {0.400580, -0.396326, -0.070432},
    };
    for (int order = 0; order < 6; ++order) {
        const VOXEL r = Turn({0.5, 0.25, 0.1}, {30, 45, 60}, order);
        EXPECT_NEAR(r.x, expected[order][0], 5e-7) << "order " << order;
        EXPECT_NEAR(r.y, expected[order][1], 5e-7) << "order " << order;
        EXPECT_NEAR(r.z, expected[order][2], 5e-7) << "order " << order;
    }
    const VOXEL other = Turn({0.5, 0.25, 0.1}, {30, 45, 60}, 17);
    EXPECT_NEAR(other.x, expected[5][0], 5e-7) << "an unknown order turns as ZYX";
}

TEST(KernelRotation, NinetyDegreesAboutOneAxis) {
    for (int order = 0; order < 6; ++order) {
        const VOXEL x = Turn({0, 1, 0}, {90, 0, 0}, order);
        EXPECT_EQ(x.x, 0.0);
        EXPECT_NEAR(x.y, 1.2e-16, 1e-17);
        EXPECT_DOUBLE_EQ(x.z, -1.0);
        const VOXEL z = Turn({1, 0, 0}, {0, 0, 90}, order);
        EXPECT_NEAR(z.x, 1.2e-16, 1e-17);
        EXPECT_DOUBLE_EQ(z.y, -1.0);
        EXPECT_EQ(z.z, 0.0);
    }
}

TEST(KernelRotation, OnlyTheProjectionTurnsNotTheOrbit) {
    KernelInputs turned = Defaults(0);
    turned.rotation = VOXEL{0.0, 0.0, 90.0};
    const RenderKernel plain(Defaults(0));
    const RenderKernel kernel(turned);
    KernelState a = plain.start();
    KernelState b = kernel.start();
    const Pixel p0 = plain.step(a);
    const Pixel p1 = kernel.step(b);
    EXPECT_EQ(a.point.x, b.point.x);
    EXPECT_EQ(a.point.y, b.point.y);
    EXPECT_NE(p0.x, p1.x);
    EXPECT_FALSE(plain.rotation().turns());
    EXPECT_TRUE(kernel.rotation().turns());
}

TEST(KernelRotation, AnglesAreKeptInRadians) {
    const Rotation rotation({180, 0, 90}, 0);
    EXPECT_NEAR(static_cast<double>(rotation.xradians()), 3.141592653589793, 1e-15);
    EXPECT_EQ(rotation.yradians(), 0.0L);
    EXPECT_NEAR(static_cast<double>(rotation.zradians()), 1.5707963267948966, 1e-15);
}

TEST(KernelRotation, PointsNearTheAxisTakeTheAxisAngle) {
    double a = 1.0;
    double b = 5e-7;
    RotatePair(a, b, 0.0);
    EXPECT_DOUBLE_EQ(a, std::sqrt(1.0 + 25e-14)) << "the modulus still includes the offset";
    EXPECT_NEAR(b, 0.0, 1e-16);
    double c = -1.0;
    double d = 0.0;
    RotatePair(c, d, 1.5707963267948966);
    // 3pi/2 + pi/2 is exactly 2pi and is not reduced.
    EXPECT_DOUBLE_EQ(d, 1.0);
    const VOXEL r = Turn({0, 0, 0}, {30, 45, 60}, 2);
    EXPECT_EQ(r.x, 0.0) << "the origin stays put";
    EXPECT_EQ(r.z, 0.0);
}

} // namespace
} // namespace orv
