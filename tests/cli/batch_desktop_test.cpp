// The batch renderer against the desktop program: the same start state, and
// the same files after the same render steps.
#include "batch_fixture.h"
#include "desktop_path.h"

#include "resources/resources.h"

namespace orv::test {
namespace {

using BatchStartState = BatchTest;
using BatchMatchesDesktop = BatchTest;

TEST_F(BatchStartState, IsTheDesktopProgramsStartState) {
    const BatchRun run = Run({"--steps", "2", "-o", Path("start.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const Targa image(Path("start.tga"));
    EXPECT_EQ(image.side(), 600);
    const Gan gan(Path("start.gan"));
    EXPECT_EQ(gan.type(), 0);
    EXPECT_EQ(gan.a(), -0.966918);
    EXPECT_EQ(gan.b(), 2.879879);
    EXPECT_EQ(gan.c(), 0.765145);
    EXPECT_EQ(gan.d(), 0.744728);
    EXPECT_EQ(gan.xstart(), 0.1);
    EXPECT_EQ(gan.ystart(), 0.1);
    EXPECT_EQ(gan.zstart(), 0.0);
    EXPECT_EQ(gan.back(), 0x00E6F5FFu);
    EXPECT_EQ(std::vector<unsigned char>(gan.bytes().begin() + 60, gan.bytes().begin() + 76),
              (std::vector<unsigned char>{0xFF, 0xF5, 0xE6, 0, 255, 0, 0, 0, 245, 0, 0, 0, 230, 0,
                                          0, 0}));
    EXPECT_EQ(gan.xrot(), 0.0);
    EXPECT_EQ(gan.yrot(), 0.0);
    EXPECT_EQ(gan.zrot(), 0.0);
    // Two steps: the first clears the picture to the background and plots
    // nothing, the second plots one point in colour.
    int background = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 600; ++x) {
            background += image.pixel(x, y) == RGB(255, 245, 230) ? 1 : 0;
        }
    }
    EXPECT_EQ(background, 600 * 600 - 1);
}

TEST_F(BatchMatchesDesktop, DefaultRenderGivesTheSameFiles) {
    {
        DesktopPath desktop;
        desktop.Render(30000);
        desktop.Save(Path("desktop.tga"));
    }
    const BatchRun run = Run({"--steps", "30000", "--quiet", "-o", Path("batch.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadBytes(Path("batch.tga")), ReadBytes(Path("desktop.tga")));
    EXPECT_EQ(ReadBytes(Path("batch.gan")), ReadBytes(Path("desktop.gan")));
}

TEST_F(BatchMatchesDesktop, ValuesTypedIntoTheDialogsGiveTheSameFilesAsOptions) {
    {
        DesktopPath desktop;
        desktop.Dialog(kAttractorType, [](HWND dialog) {
            Choose(dialog, 221);
            Confirm(dialog);
        });
        desktop.Dialog(kParameters, [](HWND dialog) {
            Type(dialog, 310, "300");
            Type(dialog, 311, "-1.804285");
            Type(dialog, 312, "-2.513108");
            Type(dialog, 313, "0.957945");
            Type(dialog, 314, "9");
            Type(dialog, 315, "15");
            Type(dialog, 316, "400");
            Type(dialog, 317, "33.5");
            Type(dialog, 318, "0.2");
            Type(dialog, 319, "0");
            Type(dialog, 320, "3");
            Type(dialog, 321, "-3");
            Type(dialog, 322, "-9");
            Type(dialog, 323, "2.5");
            Choose(dialog, 364);
            Confirm(dialog);
        });
        desktop.Dialog(kColoringMethod, [](HWND dialog) {
            Choose(dialog, 511);
            Confirm(dialog);
        });
        desktop.Dialog(kBackgroundColor, [](HWND dialog) {
            Type(dialog, 410, "10");
            Type(dialog, 411, "300");
            Type(dialog, 412, "40");
            Confirm(dialog);
        });
        desktop.Render(40000);
        desktop.Save(Path("desktop.tga"));
    }
    const BatchRun run = Run({"--type",         "alpha",
                              "--res",          "300",
                              "--params",       "-1.804285,-2.513108,0.957945,9",
                              "--rotation",     "15,400,33.5",
                              "--start",        "0.2,0",
                              "--view",         "3,-3,-9,2.5",
                              "--order",        "ZXY",
                              "--method",       "hit-count",
                              "--background",   "10,300,40",
                              "--steps",        "40000",
                              "--quiet",        "-o",
                              Path("batch.tga")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Targa(Path("batch.tga")).side(), 300);
    EXPECT_EQ(ReadBytes(Path("batch.tga")), ReadBytes(Path("desktop.tga")));
    EXPECT_EQ(ReadBytes(Path("batch.gan")), ReadBytes(Path("desktop.gan")));
}

} // namespace
} // namespace orv::test
