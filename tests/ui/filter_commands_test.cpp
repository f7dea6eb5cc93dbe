#include "paused_program.h"

#include "palette/palette.h"
#include "platform/kernel.h"
#include "render/plot.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/state.h"

#include <string>
#include <vector>

namespace orv::test {
namespace {

const std::string kResumeWarning =
    "The best results often will be obtained if\n   the image is 'overdeveloped'.\n\nThe image "
    "will disappear if you resume\n   rendering after the filter is applied.\n   Therefore, if "
    "you want to save the\n   filtered image, do so immediately.";

class FilterCommands : public PausedProgram {
  protected:
    // A Hit Count picture long enough for the filters, with counts of many
    // sizes.
    void SetUp() override {
        PausedProgram::SetUp();
        method[0] = 1;
        firstloop = 1;
        Render(30000);
    }

    // The pixel hit most often.
    POINT Busiest() const {
        for (int i = 0; i < res * res; ++i) {
            if (hitcount[i] == static_cast<float>(hitmax)) {
                return POINT{i % res, i / res};
            }
        }
        return POINT{};
    }
};

TEST_F(FilterCommands, EachAdvisoryIsShownOnceBeforeTheFirstUseOfItsFilter) {
    Command(kNormalize);
    const POINT busiest = Busiest();
    EXPECT_EQ(Image(busiest.x, busiest.y), PaletteColor(palette, 255)) << "normalized";
    Command(kNormalize);
    Command(kEqualize);
    Command(kEqualize);
    Command(kHitCountLog);
    Command(kHitCountLogSquared);
    ASSERT_EQ(backend.messageBoxes.size(), 3u);
    const std::string texts[3] = {
        "The normalization filter will be applied.\n\n" + kResumeWarning,
        "The equalization filter will be applied.\n\n" + kResumeWarning,
        "The hit count will be adjusted with a\n   logarithmic transformation filter.\n\nUsing the "
        "squares of the logarithms will\n   shift the palette indices toward the\n   lower end of "
        "the palette.\n\n" +
            kResumeWarning};
    const char* captions[3] = {"Normalization Advisory", "Equalization Advisory",
                               "Hit Count Adjustment Advisory"};
    for (int i = 0; i < 3; ++i) {
        const MessageBoxCall& box = backend.messageBoxes[static_cast<std::size_t>(i)];
        EXPECT_EQ(box.text, texts[i]);
        EXPECT_EQ(box.caption, std::string(captions[i]));
        EXPECT_EQ(box.type, MB_ICONINFORMATION);
        EXPECT_EQ(box.owner, nullptr);
    }
    EXPECT_EQ(advisories.nadvisory + advisories.eadvisory + advisories.logadvisory, 0);
}

TEST_F(FilterCommands, TheSquaredLogarithmIsUsedOnlyForItsOwnCommand) {
    // A pixel of a middle count: the two logarithmic filters differ there.
    int middle = -1;
    for (int i = 0; i < res * res && middle < 0; ++i) {
        if (hitcount[i] > 1.0f && hitcount[i] < static_cast<float>(hitmax)) {
            middle = i;
        }
    }
    ASSERT_GE(middle, 0);
    const int x = middle % res;
    const int y = middle / res;
    Command(kHitCountLog);
    const COLORREF plain = Image(x, y);
    Command(kHitCountLogSquared);
    EXPECT_NE(Image(x, y), plain);
    EXPECT_EQ(logsquare, 0);
    Command(kHitCountLog);
    EXPECT_EQ(Image(x, y), plain);
}

TEST_F(FilterCommands, EqualizationWithoutMemoryForItsBuffersSaysSoAfterItsAdvisory) {
    SetLocalAllocFailure([](std::size_t, int request) { return request == 1; });
    Command(kEqualize);
    SetLocalAllocFailure({});
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.messageBoxes[0].caption, "Equalization Advisory");
    const MessageBoxCall& box = backend.messageBoxes[1];
    EXPECT_EQ(box.text, "Not enough memory to allocate equalization buffers.\nFree up more "
                        "system memory, or\n   stop rendereing at\n   fewer iterations.");
    EXPECT_EQ(box.caption, "Memory allocation problem");
    EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, g_hWnd);
    Command(kNormalize);
    EXPECT_EQ(backend.messageBoxes.size(), 3u) << "only the normalization advisory follows";
}

TEST_F(FilterCommands, OnlyEqualizationShowsTheWaitCursorAndOnlyWhileItHasCountsToEqualize) {
    backend.cursorChanges.clear();
    Command(kNormalize);
    Command(kHitCountLog);
    Command(kHitCountLogSquared);
    EXPECT_TRUE(backend.cursorChanges.empty());
    Command(kEqualize);
    EXPECT_EQ(backend.cursorChanges, (std::vector<HCURSOR>{wait, cross}));

    // Without memory the cursor is back before the user is told.
    backend.cursorChanges.clear();
    std::size_t cursorsAtTheBox = 0;
    backend.onMessageBox = [&](const MessageBoxCall&) {
        cursorsAtTheBox = backend.cursorChanges.size();
        return 0;
    };
    SetLocalAllocFailure([](std::size_t, int request) { return request == 0; });
    Command(kEqualize);
    SetLocalAllocFailure({});
    EXPECT_EQ(backend.cursorChanges, (std::vector<HCURSOR>{wait, cross}));
    EXPECT_EQ(cursorsAtTheBox, 2u);

    // No hits, or a picture the filters refuse: nothing to wait for.
    backend.cursorChanges.clear();
    const std::uint32_t most = hitmax;
    hitmax = 0;
    Command(kEqualize);
    hitmax = most;
    method[0] = 0;
    Command(kEqualize);
    EXPECT_TRUE(backend.cursorChanges.empty());
}

TEST_F(FilterCommands, CountsMadeForAnotherImageSizeAreLeftAloneSilently) {
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 310, "400");
        Click(dialog, IDOK);
    });
    Command(kParameters);
    ASSERT_NE(hcres, res);
    backend.messageBoxes.clear();
    SetPixel(g_vhdc, 5, 5, RGB(7, 7, 7));
    for (UINT filter : {kNormalize, kEqualize, kHitCountLog, kHitCountLogSquared}) {
        Command(filter);
    }
    EXPECT_TRUE(backend.messageBoxes.empty());
    EXPECT_EQ(advisories.nadvisory, 1) << "the advisory is still to come";
    EXPECT_EQ(Image(5, 5), RGB(7, 7, 7));
}

} // namespace
} // namespace orv::test
