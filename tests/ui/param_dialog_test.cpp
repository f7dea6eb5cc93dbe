#include "program_fixture.h"

#include "analysis/lyapunov.h"
#include "platform/window.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/driver.h"

#include <functional>
#include <regex>
#include <string>

namespace orv::test {
namespace {

class ParamDialog : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
        TakeStartCommand();
        fractaldriver(); // a render has begun
        Command(165);
    }

    // Runs the Parameters command with a script that types the given texts
    // and presses OK.
    void Enter(std::vector<std::pair<int, const char*>> texts, bool ok = true) {
        backend.dialogScripts.push_back([texts, ok](HWND dialog) {
            for (const auto& [id, text] : texts) {
                Type(dialog, id, text);
            }
            Click(dialog, ok ? IDOK : IDCANCEL);
        });
        Command(kParameters);
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const MessageBoxCall& box : backend.messageBoxes) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST_F(ParamDialog, ShowsTheSelectedTypesValuesWithFifteenDecimals) {
    rotationorder = 4;
    type = 1;
    Command(kParameters);
    ASSERT_EQ(backend.dialogs.size(), 1u);
    const DialogCall& shown = backend.dialogs[0];
    EXPECT_EQ(shown.caption, "  Parameters");
    EXPECT_EQ(shown.texts.at(310), "600");
    EXPECT_EQ(shown.texts.at(311), "-1.804285000000000");
    EXPECT_EQ(shown.texts.at(312), "-2.513108000000000");
    EXPECT_EQ(shown.texts.at(313), "0.957945000000000");
    EXPECT_EQ(shown.texts.at(315), "0.000000000000000");
    EXPECT_EQ(shown.texts.at(318), "0.100000000000000");
    EXPECT_EQ(shown.texts.at(320), "-3.500000000000000");
    EXPECT_EQ(shown.texts.at(323), "3.500000000000000");
    EXPECT_TRUE(shown.checks.at(364));
    EXPECT_FALSE(shown.checks.at(360));
}

TEST_F(ParamDialog, TheCAndDBoxesAreEnabledOnlyForTheTypesThatUseThem) {
    const bool c[4] = {true, true, false, false};
    const bool d[4] = {true, false, false, false};
    for (int t = 0; t < 4; ++t) {
        type = t;
        Command(kParameters);
        ASSERT_EQ(backend.dialogs.size(), static_cast<std::size_t>(t + 1));
        EXPECT_EQ(backend.dialogs[t].enabled.at(313), c[t]) << "type " << t;
        EXPECT_EQ(backend.dialogs[t].enabled.at(314), d[t]) << "type " << t;
        EXPECT_TRUE(backend.dialogs[t].enabled.at(312));
    }
}

TEST_F(ParamDialog, TheResolutionIsClampedAndReadAsAnInteger) {
    const std::pair<const char*, int> cases[] = {
        {"100", 200}, {"5000", 4000}, {"600.7", 600}, {"", 200}, {"250", 250}};
    for (const auto& [text, expected] : cases) {
        Enter({{310, text}});
        EXPECT_EQ(res, expected) << '"' << text << '"';
        EXPECT_EQ(dres, static_cast<double>(expected));
        EXPECT_EQ(g_vhdc->width, expected) << "the image follows the size";
    }
}

TEST_F(ParamDialog, ParametersAreClampedToTheirRanges) {
    Enter({{311, "4"}, {312, "-3.5"}, {313, "-2"}, {314, "1.2"}});
    EXPECT_EQ(p[0].a, 3.0);
    EXPECT_EQ(p[0].b, -3.0);
    EXPECT_EQ(p[0].c, -1.75);
    EXPECT_EQ(p[0].d, 1.2);
    EXPECT_EQ(firstloop, 1) << "changed parameters restart the picture";
}

TEST_F(ParamDialog, RotationsAreClampedToZeroTo360Degrees) {
    Enter({{315, "-10"}, {316, "400"}, {317, "360"}});
    EXPECT_EQ(rot[0].x, 0.0);
    EXPECT_EQ(rot[0].y, 360.0);
    EXPECT_EQ(rot[0].z, 360.0);
}

TEST_F(ParamDialog, TheStartPointStaysInsideTheUnitSquare) {
    Enter({{318, "0"}, {319, "1"}});
    EXPECT_EQ(p[0].xstart, 0.01);
    EXPECT_EQ(p[0].ystart, 0.99);
    Enter({{318, "no number"}});
    EXPECT_EQ(p[0].xstart, 0.01) << "text without a number reads as 0";
}

TEST_F(ParamDialog, TheViewWindowIsOrderedAndClampedToItsLimits) {
    Enter({{320, "2"}, {321, "-2"}, {322, "-9"}, {323, "9"}});
    EXPECT_EQ(mm[0].xmin, -2.0);
    EXPECT_EQ(mm[0].xmax, 2.0);
    EXPECT_EQ(mm[0].ymin, -5.0);
    EXPECT_EQ(mm[0].ymax, 5.0);
}

TEST_F(ParamDialog, ATooNarrowViewWindowIsRefusedAndTheDialogStaysOpen) {
    bool stayedOpen = false;
    backend.dialogScripts.push_back([&stayedOpen](HWND dialog) {
        Type(dialog, 320, "1");
        Type(dialog, 321, "1.04");
        Click(dialog, IDOK);
        stayedOpen = !DialogEnded(dialog);
        Type(dialog, 321, "1.05");
        Click(dialog, IDOK);
    });
    Command(kParameters);
    EXPECT_TRUE(stayedOpen);
    ASSERT_FALSE(backend.messageBoxes.empty());
    EXPECT_EQ(backend.messageBoxes[0].text, "xmax - xmin must be >= 0.05");
    EXPECT_EQ(backend.messageBoxes[0].caption, "Parameter Error");
    EXPECT_EQ(backend.messageBoxes[0].type, MB_ICONWARNING);
    EXPECT_EQ(backend.messageBoxes[0].owner, nullptr);
    EXPECT_EQ(mm[0].xmin, 1.0);
    EXPECT_EQ(mm[0].xmax, 1.05);
}

TEST_F(ParamDialog, TheYWindowHasItsOwnRefusal) {
    Enter({{322, "0"}, {323, "0.01"}});
    ASSERT_FALSE(backend.messageBoxes.empty());
    EXPECT_EQ(backend.messageBoxes[0].text, "ymax - ymin must be >= 0.05");
}

TEST_F(ParamDialog, CancelAfterARefusedOkUndoesEverythingItStored) {
    const MINMAX window = mm[0];
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 310, "800");
        Type(dialog, 315, "30");
        Type(dialog, 320, "-1");
        Type(dialog, 321, "1");
        Type(dialog, 322, "1");
        Type(dialog, 323, "1");
        Choose(dialog, 365);
        Click(dialog, IDOK);
        Click(dialog, IDCANCEL);
    });
    Command(kParameters);
    EXPECT_EQ(res, 600);
    EXPECT_EQ(rot[0].x, 0.0);
    EXPECT_EQ(rotationorder, 0);
    EXPECT_EQ(mm[0].xmin, window.xmin);
    EXPECT_EQ(mm[0].xmax, window.xmax);
    EXPECT_EQ(firstloop, 0) << "a cancelled dialog changes nothing";
    EXPECT_EQ(g_vhdc->width, 600);
}

TEST_F(ParamDialog, AnUnchangedOkDoesNotRestart) {
    Enter({});
    EXPECT_EQ(firstloop, 0);
}

TEST_F(ParamDialog, ALowExponentIsWarnedAboutWithSixDecimals) {
    Enter({{311, "0.1"}, {312, "0.1"}, {313, "0.1"}, {314, "0.1"}});
    ASSERT_LT(LExp, 0.3);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    const MessageBoxCall& box = backend.messageBoxes[0];
    EXPECT_TRUE(
        std::regex_match(box.text, std::regex("Lyapunov exponent: -?[0-9]+\\.[0-9]{6}\n\nThe "
                                              "attractor may not be chaotic\n   enough to produce "
                                              "an appealing\n   image.")))
        << box.text;
    EXPECT_EQ(box.caption, "WJ Orvantis");
    EXPECT_EQ(box.type, MB_ICONWARNING);
    EXPECT_EQ(p[0].a, 0.1) << "the warning is advice only";
}

TEST_F(ParamDialog, ParameterDisplayModeShowsAGoodExponentWithFifteenDecimals) {
    Enter({});
    EXPECT_TRUE(backend.messageBoxes.empty()) << "the default set is chaotic enough";
    debugflag = 1;
    Enter({});
    ASSERT_GE(LExp, 0.3);
    ASSERT_EQ(backend.messageBoxes.size(), 1u);
    EXPECT_TRUE(std::regex_match(backend.messageBoxes[0].text,
                                 std::regex("Lyapunov exponent: [0-9]+\\.[0-9]{15}")))
        << backend.messageBoxes[0].text;
    EXPECT_EQ(backend.messageBoxes[0].type, MB_ICONINFORMATION);
}

TEST_F(ParamDialog, OnlyTwentyNineCharactersOfABoxAreRead) {
    Enter({{311, "0.0000000000000000000000000001"}});
    EXPECT_EQ(p[0].a, 0.0) << "the last digit is beyond what is read";
}

} // namespace
} // namespace orv::test
