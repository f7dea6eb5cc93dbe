#include "cli/progress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orv {
namespace {

using namespace std::chrono_literals;
using Clock = ProgressBar::Clock;

TEST(ProgressText, ShowsStepsDoneRateAndTimeLeft) {
    EXPECT_EQ(FormatProgress(2'500'000, 5'000'000, 2.0, "steps"),
              "[##########          ]  50%  2500000/5000000 steps  1.25M steps/s  0:02 left");
    EXPECT_EQ(FormatProgress(150, 600, 3.0, "rows"),
              "[#####               ]  25%  150/600 rows  50 rows/s  0:09 left");
    EXPECT_EQ(FormatProgress(30'000, 5'030'000, 1.0, "steps"),
              "[                    ]   0%  30000/5030000 steps  30.0k steps/s  2:47 left");
}

TEST(ProgressText, LongRendersCountHoursAndAFinishedOneItsDuration) {
    EXPECT_EQ(FormatProgress(1'000'000, 100'000'000, 40.0, "steps"),
              "[                    ]   1%  1000000/100000000 steps  25.0k steps/s  1:06:00 left");
    EXPECT_EQ(FormatProgress(600, 600, 75.0, "rows"),
              "[####################] 100%  600/600 rows  8 rows/s  took 1:15");
}

TEST(ProgressText, BeforeAnyTimeHasPassedTheTimeLeftIsUnknown) {
    EXPECT_EQ(FormatProgress(0, 1000, 0.0, "steps"),
              "[                    ]   0%  0/1000 steps  --:-- left");
    EXPECT_EQ(FormatProgress(0, 0, 0.0, "steps"),
              "[####################] 100%  0/0 steps  took 0:00");
}

TEST(ProgressBarRedraw, AtMostTenTimesASecond) {
    std::ostringstream out;
    const Clock::time_point start{};
    ProgressBar bar(out, 1'000'000, "steps", start);
    // Updates every millisecond for two seconds.
    for (int ms = 1; ms <= 2000; ++ms) {
        bar.update(static_cast<std::uint64_t>(ms) * 500, start + std::chrono::milliseconds(ms));
    }
    EXPECT_EQ(bar.redraws(), 20);
    bar.update(1'000'000, start + 2050ms);
    EXPECT_EQ(bar.redraws(), 20);
}

TEST(ProgressBarRedraw, RedrawsInPlaceAndEndsTheLineWhenFinished) {
    std::ostringstream out;
    const Clock::time_point start{};
    ProgressBar bar(out, 100, "rows", start);
    bar.update(50, start + 1s);
    bar.finish(100, start + 2s);
    EXPECT_EQ(out.str(),
              "\r[##########          ]  50%  50/100 rows  50 rows/s  0:01 left\033[K"
              "\r[####################] 100%  100/100 rows  50 rows/s  took 0:02\033[K\n");
}

TEST(ProgressLine, ShowsStepsDoneRateAndTimeLeftForALog) {
    EXPECT_EQ(FormatProgressLine("poster", 1'200'000'000, 4'000'000'000, 47.43, "steps"),
              "orvantis poster: 1200000000 of 4000000000 steps, 25.3 M steps/s, 1 min 51 s left");
    EXPECT_EQ(FormatProgressLine("render", 150, 600, 3.0, "rows"),
              "orvantis render: 150 of 600 rows, 50 rows/s, 9 s left");
    EXPECT_EQ(FormatProgressLine("poster", 1'000'000, 100'000'000, 40.0, "steps"),
              "orvantis poster: 1000000 of 100000000 steps, 25.0 k steps/s, 1 h 6 min left");
}

TEST(ProgressLine, TheLastLineTellsTheDurationAndTheFirstKnowsNoRate) {
    EXPECT_EQ(FormatProgressLine("explore", 12, 12, 75.0, "sets"),
              "orvantis explore: 12 of 12 sets, 0.16 sets/s, took 1 min 15 s");
    EXPECT_EQ(FormatProgressLine("animate", 0, 30, 0.0, "frames"),
              "orvantis animate: 0 of 30 frames");
}

TEST(ProgressLog, OneLineEveryFiveSecondsAndALastOneAtTheEnd) {
    std::ostringstream out;
    const Clock::time_point start{};
    ProgressBar log(out, 1'300'000, "steps", start, "poster");
    // Updates every 100 ms for twelve seconds, 10000 steps each.
    for (int tenths = 1; tenths <= 120; ++tenths) {
        log.update(static_cast<std::uint64_t>(tenths) * 10'000,
                   start + std::chrono::milliseconds(100 * tenths));
    }
    log.finish(1'300'000, start + 13s);
    EXPECT_EQ(out.str(), "orvantis poster: 500000 of 1300000 steps, 100.0 k steps/s, 8 s left\n"
                         "orvantis poster: 1000000 of 1300000 steps, 100.0 k steps/s, 3 s left\n"
                         "orvantis poster: 1300000 of 1300000 steps, 100.0 k steps/s, took 13 s\n");
    EXPECT_FALSE(log.inPlace());
}

TEST(ProgressChoice, ABarOnATerminalLinesInALogWhenAskedNothingWhenQuiet) {
    std::ostringstream err;
    const auto shown = [&](BatchDisplay display, bool terminal) {
        const std::unique_ptr<ProgressBar> bar =
            ShowProgress(display, terminal, err, 10, "steps", "poster");
        return !bar ? "none" : bar->inPlace() ? "bar" : "lines";
    };
    EXPECT_STREQ(shown(BatchDisplay::Automatic, true), "bar");
    EXPECT_STREQ(shown(BatchDisplay::Progress, true), "bar");
    EXPECT_STREQ(shown(BatchDisplay::Quiet, true), "none");
    EXPECT_STREQ(shown(BatchDisplay::Automatic, false), "none");
    EXPECT_STREQ(shown(BatchDisplay::Progress, false), "lines");
    EXPECT_STREQ(shown(BatchDisplay::Quiet, false), "none");
    EXPECT_EQ(err.str(), "");
}

} // namespace
} // namespace orv
