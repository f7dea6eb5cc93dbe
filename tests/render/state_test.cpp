#include "render/state.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(StartState, EveryTypeHasItsDefaultsAndTheSharedValuesTheirStartValues) {
    EXPECT_EQ(type, 0);
    EXPECT_EQ(res, 600);
    EXPECT_EQ(dres, 600.0);
    EXPECT_EQ(rotationorder, 0);
    EXPECT_EQ(back, 0x00E6F5FFu);
    EXPECT_EQ(back, static_cast<std::uint32_t>(red | green << 8 | blue << 16));
    EXPECT_EQ(okrun, 0);
    EXPECT_EQ(firstloop, 1);
    EXPECT_EQ(lmapflag, 0);
    EXPECT_EQ(ghostflag, 0);
    EXPECT_EQ(debugflag, 0);
    const double as[] = {-0.966918, -1.804285, 2.039949, 0.805414};
    const double bs[] = {2.879879, -2.513108, 1.322977, 2.132054};
    const double cs[] = {0.765145, 0.957945, 0.0, 0.0};
    const double ds[] = {0.744728, 0.0, 0.0, 0.0};
    for (int k = 0; k < kTypes; ++k) {
        EXPECT_EQ(p[k].xstart, 0.1);
        EXPECT_EQ(p[k].ystart, 0.1);
        EXPECT_EQ(p[k].zstart, 0.0);
        EXPECT_EQ(p[k].a, as[k]);
        EXPECT_EQ(p[k].b, bs[k]);
        EXPECT_EQ(p[k].c, cs[k]);
        EXPECT_EQ(p[k].d, ds[k]);
        const double edge = k == 0 ? 2.5 : 3.5;
        EXPECT_EQ(mm[k].xmin, -edge);
        EXPECT_EQ(mm[k].xmax, edge);
        EXPECT_EQ(mm[k].ymin, -edge);
        EXPECT_EQ(mm[k].ymax, edge);
        EXPECT_EQ(rot[k].x, 0.0);
        EXPECT_EQ(rot[k].y, 0.0);
        EXPECT_EQ(rot[k].z, 0.0);
        EXPECT_EQ(method[k], 0);
    }
}

TEST(StartState, ResetPutsBackWhatAUserChanged) {
    type = 2;
    p[2].a = 1.0;
    mm[1].xmin = 0.0;
    rot[3].z = 45.0;
    method[0] = 1;
    res = 1000;
    back = 0;
    ResetRenderState();
    EXPECT_EQ(type, 0);
    EXPECT_EQ(p[2].a, 2.039949);
    EXPECT_EQ(mm[1].xmin, -3.5);
    EXPECT_EQ(rot[3].z, 0.0);
    EXPECT_EQ(method[0], 0);
    EXPECT_EQ(res, 600);
    EXPECT_EQ(back, 0x00E6F5FFu);
}

} // namespace
} // namespace orv
