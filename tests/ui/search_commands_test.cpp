#include "paused_program.h"

#include "analysis/lyapunov.h"
#include "analysis/randomparams.h"
#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <regex>
#include <string>
#include <vector>

namespace orv::test {
namespace {

const char* const kRandomAdvisory =
    "Many parameter sets will generate extreme\n   values which will overflow the computer's\n   "
    "capacity, potentially crashing the program.\n\nOr, instead of producing chaotic patterns, "
    "they\n   might converge to point clusters, lines or\n   closed curves which are not "
    "interesting.\n\nTherefore, it might take a little time to find\n   random parameter sets "
    "that appear likely to\n   be stable and to behave as intended.";

const char* const kMapAdvisory =
    "A map will be rendered of the Lyapunov exponents\n   for the selected formula, over the "
    "range of -3.0\n   to 3.0, with parameter A along the X-axis and\n   parameter B along the "
    "Y_axis. For the Standard\n   and Alpha formulae, the selected values of\n   parameters C and "
    "D will be used where applicable.\n\nExponents of -2.0 or less will be represented by the\n"
    "   lowest palette value, and exponents of +2.0 or\n   greater will be represented by the "
    "highest value.\n   A smooth gradient such as a greyscale will show\n   the progression most "
    "clearly, and can be used as\n   a height field for 3D rendering. The 'Topo.map'\n   palette "
    "will show a simulated progression from\n   water level (blue) to snow (white).";

class SearchCommands : public PausedProgram {
  protected:
    void SetUp() override {
        PausedProgram::SetUp();
        SetRandomSeed(20240611);
    }
    void TearDown() override {
        SetRandomSeed(std::nullopt);
        PausedProgram::TearDown();
    }

    // The cursor changes made before each message box, box by box.
    void CountCursorsAtEachBox() {
        backend.cursorChanges.clear();
        backend.onMessageBox = [this](const MessageBoxCall&) {
            cursorsAtBoxes.push_back(backend.cursorChanges.size());
            return 0;
        };
    }
    std::vector<std::size_t> cursorsAtBoxes;

    void ExpectAdvisory(const char* text, const char* caption) const {
        ASSERT_EQ(backend.messageBoxes.size(), 1u);
        const MessageBoxCall& box = backend.messageBoxes[0];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, std::string(caption));
        EXPECT_EQ(box.type, MB_ICONINFORMATION);
        EXPECT_EQ(box.owner, nullptr);
    }
};

TEST_F(SearchCommands, AFoundParameterSetIsRenderedAtOnceAndTheAdvisoryComesOnce) {
    Command(kRandomParameters);
    ExpectAdvisory(kRandomAdvisory, "Random Parameters Advisory");
    EXPECT_NE(p[0].a, pdef[0].a) << "a set was found";
    EXPECT_EQ(firstloop, 1);
    ASSERT_EQ(QueuedCommand(), kRenderPauseResume);
    HandleNext();
    EXPECT_EQ(okrun, 1);

    Command(kRenderPauseResume);
    Command(kRandomParameters);
    EXPECT_EQ(backend.messageBoxes.size(), 1u);
    EXPECT_EQ(QueuedCommand(), kRenderPauseResume);
}

TEST_F(SearchCommands, DisplayModeShowsTheTryTruncatedValuesAndTheExponent) {
    debugflag = 1;
    CountCursorsAtEachBox();
    Command(kRandomParameters);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.cursorChanges, (std::vector<HCURSOR>{wait, cross}));
    EXPECT_EQ(cursorsAtBoxes, (std::vector<std::size_t>{0, 2})) << "the search waits in between";
    const MessageBoxCall& box = backend.messageBoxes[1];
    EXPECT_EQ(box.caption, "Accept Parameters?");
    EXPECT_EQ(box.type, MB_YESNO | MB_ICONINFORMATION);
    EXPECT_EQ(box.owner, nullptr);
    const std::regex report(
        "count: ([0-9]+)\na: (-?[0-9]\\.[0-9]{12}000)\nb: (-?[0-9]\\.[0-9]{12}000)"
        "\nc: (-?[0-9]\\.[0-9]{12}000)\nd: (-?[0-9]\\.[0-9]{12}000)"
        "\nLyapunov exponent: ([0-9]+\\.[0-9]{15})");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(box.text, m, report)) << box.text;
    const int count = std::stoi(m[1]);
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 100);
    const double shown[] = {std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), std::stod(m[5])};
    const double kept[] = {p[0].a, p[0].b, p[0].c, p[0].d};
    for (int k = 0; k < 4; ++k) {
        EXPECT_LE(shown[k], kept[k]) << "shown values are rounded down";
        EXPECT_LT(kept[k] - shown[k], 4e-12) << "p[type] keeps the values as drawn";
    }
    char exponent[32];
    std::snprintf(exponent, sizeof exponent, "%.15f", LExp);
    EXPECT_EQ(m[6].str(), exponent);
    EXPECT_EQ(QueuedCommand(), kRenderPauseResume) << "accepted";
}

TEST_F(SearchCommands, ADeclinedSetIsUndoneAndStartsNothing) {
    debugflag = 1;
    type = 1;
    const PARAM before = p[1];
    backend.messageBoxAnswers = {IDOK, IDNO};
    Command(kRandomParameters);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.messageBoxes[1].caption, "Accept Parameters?");
    EXPECT_EQ(std::memcmp(&p[1], &before, sizeof before), 0);
    EXPECT_GE(LExp, 0.3) << "the exponent of the declined set stays";
    EXPECT_EQ(firstloop, 0);
    EXPECT_EQ(QueuedCommand(), 0u);
}

TEST_F(SearchCommands, AFailedSearchSaysSoAndStartsNothing) {
    // An undefined start point makes every estimate fall to the floor.
    p[0].xstart = std::numeric_limits<double>::quiet_NaN();
    CountCursorsAtEachBox();
    Command(kRandomParameters);
    ASSERT_EQ(backend.messageBoxes.size(), 2u);
    EXPECT_EQ(backend.cursorChanges, (std::vector<HCURSOR>{wait, cross}));
    EXPECT_EQ(cursorsAtBoxes, (std::vector<std::size_t>{0, 2}));
    const MessageBoxCall& box = backend.messageBoxes[1];
    EXPECT_EQ(box.text, "Attractor not found after 100 tries.\n\nPlease try again; this will "
                        "reset the\n   pseudo-random number generator.");
    EXPECT_EQ(box.caption, " :-( ");
    EXPECT_EQ(box.type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(firstloop, 0);
    EXPECT_EQ(QueuedCommand(), 0u);
}

TEST_F(SearchCommands, TheMapExplainsItselfOnceAndStartsAtOnce) {
    Command(kLyapunovMap);
    ExpectAdvisory(kMapAdvisory, "Lyapunov Map Advisory");
    EXPECT_EQ(lmapflag, 1);
    EXPECT_EQ(firstloop, 1);
    ASSERT_EQ(QueuedCommand(), kRenderPauseResume);
    HandleNext();
    EXPECT_EQ(okrun, 1);

    Command(kRenderPauseResume);
    Command(kLyapunovMap);
    EXPECT_EQ(backend.messageBoxes.size(), 1u);
}

} // namespace
} // namespace orv::test
