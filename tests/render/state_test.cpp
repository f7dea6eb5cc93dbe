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

TEST(StartState, ResetPutsBackEveryValueButTheHitCountBufferSize) {
    type = 2;
    p[2].a = 1.0;
    mm[1].xmin = 0.0;
    rot[3].z = 45.0;
    rotationorder = 4;
    method[0] = 1;
    SetRes(1000);
    saveres = 700;
    SetBackground(1, 2, 3);
    v = VOXEL{1.0, 2.0, 3.0};
    oldv = v;
    itercount = 1000;
    xradians_user = 1.0L;
    ghostcount = 12345;
    okrun = 1;
    firstloop = 0;
    lmapflag = 1;
    ghostflag = 1;
    debugflag = 1;
    gridflag = 1;
    logsquare = 1;
    hcres = 321;
    ResetRenderState();
    EXPECT_EQ(type, 0);
    EXPECT_EQ(p[2].a, 2.039949);
    EXPECT_EQ(mm[1].xmin, -3.5);
    EXPECT_EQ(rot[3].z, 0.0);
    EXPECT_EQ(rotationorder, 0);
    EXPECT_EQ(method[0], 0);
    EXPECT_EQ(res, 600);
    EXPECT_EQ(dres, 600.0);
    EXPECT_EQ(saveres, 0);
    EXPECT_EQ(back, 0x00E6F5FFu);
    EXPECT_EQ(blue, 230);
    EXPECT_EQ(v.z, 0.0);
    EXPECT_EQ(oldv.x, 0.0);
    EXPECT_EQ(itercount, 0);
    EXPECT_EQ(xradians_user, 0.0L);
    EXPECT_EQ(ghostcount, 0);
    EXPECT_EQ(okrun, 0);
    EXPECT_EQ(firstloop, 1);
    EXPECT_EQ(lmapflag, 0);
    EXPECT_EQ(ghostflag, 0);
    EXPECT_EQ(debugflag, 0);
    EXPECT_EQ(gridflag, 0);
    EXPECT_EQ(logsquare, 0);
    EXPECT_EQ(hcres, 321) << "the buffer outlives a reset";
    hcres = 0;
}

TEST(StartState, TheSettersKeepTiedValuesTogether) {
    SetBackground(0x12, 0x34, 0x56);
    EXPECT_EQ(back, 0x00563412u);
    EXPECT_EQ(red, 0x12);
    EXPECT_EQ(green, 0x34);
    SetRes(333);
    EXPECT_EQ(res, 333);
    EXPECT_EQ(dres, 333.0);
    ResetRenderState();
}

TEST(StartState, TheKernelInputsAreThoseOfTheSelectedType) {
    type = 1;
    p[1].c = 0.5;
    rot[1] = VOXEL{10.0, 20.0, 30.0};
    mm[1].ymax = 1.0;
    rotationorder = 3;
    SetRes(400);
    ghostflag = 1;
    const KernelInputs inputs = RenderInputs();
    EXPECT_EQ(inputs.type, 1);
    EXPECT_EQ(inputs.param.c, 0.5);
    EXPECT_EQ(inputs.rotation.y, 20.0);
    EXPECT_EQ(inputs.view.ymax, 1.0);
    EXPECT_EQ(inputs.order, 3);
    EXPECT_EQ(inputs.res, 400);
    EXPECT_TRUE(inputs.ghost);
    ResetRenderState();
}

} // namespace
} // namespace orv
