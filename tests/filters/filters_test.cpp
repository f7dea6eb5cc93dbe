#include "filter_fixture.h"

#include "filters/filters.h"
#include "platform/window_dc.h"

#include <vector>

namespace orv::test {
namespace {

using Filter = int (*)(HDC);
const Filter kFilters[] = {normalize, equalize, logadjust};

class Refusal : public FilterTest {};

TEST_F(Refusal, BeforeThe1000thStepEveryFilterReturns1AndPaintsNothing) {
    Count(3, 3, 5.0f);
    hitmax = 5;
    itercount = 999;
    method[0] = 0; // the step count is tested first
    for (Filter filter : kFilters) {
        EXPECT_EQ(filter(WindowDC(g_hWnd).get()), 1);
    }
    EXPECT_EQ(Painted(3, 3), -1);
    EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(Refusal, AnotherColouringMethodReturns2AndPaintsNothing) {
    Count(3, 3, 5.0f);
    hitmax = 5;
    for (int m : {0, 2}) {
        method[0] = m;
        for (Filter filter : kFilters) {
            EXPECT_EQ(filter(WindowDC(g_hWnd).get()), 2);
        }
    }
    EXPECT_EQ(Painted(3, 3), -1);
}

TEST_F(Refusal, CountsMadeForAnotherImageSizeAreNotRead) {
    Count(3, 3, 5.0f);
    hitmax = 5;
    res = 800; // changed in the dialog; the buffer still has 600 x 600 counts
    for (Filter filter : kFilters) {
        EXPECT_EQ(filter(WindowDC(g_hWnd).get()), 1);
    }
    res = 600;
    EXPECT_EQ(Painted(3, 3), -1);
}

class Normalize : public FilterTest {};

TEST_F(Normalize, With1024HitsACountOf1IsEntry1And255UpIsEntry255) {
    hitmax = 1024;
    const int counts[] = {1, 2, 254, 255, 256, 1000, 1024};
    const int expected[] = {1, 2, 254, 255, 255, 255, 255};
    for (int k = 0; k < 7; ++k) {
        Count(10 + k, 20, static_cast<float>(counts[k]));
    }
    EXPECT_EQ(normalize(WindowDC(g_hWnd).get()), 0);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(Painted(10 + k, 20), expected[k]) << "count " << counts[k];
    }
    EXPECT_EQ(Painted(9, 20), -1) << "a count of 0 is left alone";
    EXPECT_EQ(hitcount[20 * res + 15], 1000.0f) << "the counts are not changed";
}

TEST_F(Normalize, CountsBelowAThousandAndTwentyFourthOfTheMostAreLeftAlone) {
    hitmax = 4096;
    Count(0, 0, 3.0f);
    Count(1, 0, 4.0f);
    EXPECT_EQ(normalize(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(0, 0), -1);
    EXPECT_EQ(Painted(1, 0), 1);
}

TEST_F(Normalize, NoHitsPaintNothing) {
    hitmax = 0;
    EXPECT_EQ(normalize(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(0, 0), -1);
}

class LogAdjust : public FilterTest {};

TEST_F(LogAdjust, TheMostHitsGetEntry255AndTheRootOfItAboutHalfOrAQuarter) {
    hitmax = 10000;
    Count(0, 0, 10000.0f);
    Count(1, 0, 100.0f);
    Count(2, 0, 1.0f);
    EXPECT_EQ(logadjust(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(0, 0), 255);
    EXPECT_EQ(Painted(1, 0), 127);
    EXPECT_EQ(Painted(2, 0), -1) << "a count of 1 gives index 0";
    EXPECT_EQ(Painted(3, 0), -1);

    logsquare = 1;
    EXPECT_EQ(logadjust(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(0, 0), 255);
    EXPECT_EQ(Painted(1, 0), 63);
    EXPECT_EQ(Painted(2, 0), -1);
}

TEST_F(LogAdjust, AtMostOneHitPerPixelPaintsNothingAndTwoHitsAreTheTop) {
    for (std::uint32_t most : {0u, 1u}) {
        hitmax = most;
        Count(0, 0, static_cast<float>(most));
        EXPECT_EQ(logadjust(WindowDC(g_hWnd).get()), 0);
        logsquare = 1;
        EXPECT_EQ(logadjust(WindowDC(g_hWnd).get()), 0);
        logsquare = 0;
        EXPECT_EQ(Painted(0, 0), -1) << "hitmax " << most;
    }
    hitmax = 2;
    Count(0, 0, 2.0f);
    Count(1, 0, 1.0f);
    EXPECT_EQ(logadjust(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(0, 0), 255) << "ln 2 times 255 / ln 2";
    EXPECT_EQ(Painted(1, 0), -1);
    Count(0, 0, 0.0f);
    Count(2, 0, 2.0f);
    logsquare = 1;
    EXPECT_EQ(logadjust(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(2, 0), 255) << "the squared logarithm too";
    EXPECT_EQ(Painted(1, 0), -1);
}

class PixelPass : public FilterTest {};

TEST_F(PixelPass, PixelsBeyondTheWindowArePaintedInTheImageOnly) {
    CreateSurfaces(300, 200);
    hitmax = 1024;
    Count(450, 100, 1024.0f);
    Count(100, 450, 1024.0f);
    Count(299, 199, 1024.0f);
    EXPECT_EQ(normalize(WindowDC(g_hWnd).get()), 0);
    HDC hdc = GetDC(g_hWnd);
    EXPECT_EQ(GetPixel(hdc, 299, 199), RGB(255, 255, 255));
    ReleaseDC(g_hWnd, hdc);
    EXPECT_EQ(Image(450, 100), RGB(255, 255, 255));
    EXPECT_EQ(Image(100, 450), RGB(255, 255, 255));
}

TEST_F(PixelPass, ApplyingAFilterTwiceGivesTheSameImage) {
    hitmax = 50;
    for (int k = 0; k < 50; ++k) {
        Count(k, k, static_cast<float>(k + 1));
        Count(k, 0, static_cast<float>(50 - k));
    }
    for (Filter filter : kFilters) {
        filter(WindowDC(g_hWnd).get());
        std::vector<COLORREF> once;
        for (int k = 0; k < 50; ++k) {
            once.push_back(Image(k, k));
            once.push_back(Image(k, 0));
        }
        filter(WindowDC(g_hWnd).get());
        std::size_t i = 0;
        for (int k = 0; k < 50; ++k) {
            EXPECT_EQ(Image(k, k), once[i++]);
            EXPECT_EQ(Image(k, 0), once[i++]);
        }
    }
}

} // namespace
} // namespace orv::test
