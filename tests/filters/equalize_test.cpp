#include "filter_fixture.h"

#include "filters/filters.h"
#include "platform/kernel.h"
#include "platform/window_dc.h"

#include <vector>

namespace orv::test {
namespace {

class Equalize : public FilterTest {
  protected:
    // Five pixels with counts 1, 1, 2, 3, 3; all others 0.
    void FiveLitPixels() {
        hitmax = 3;
        const float counts[] = {1, 1, 2, 3, 3};
        for (int k = 0; k < 5; ++k) {
            Count(100 + k, 200, counts[k]);
        }
    }
};

TEST_F(Equalize, CountsOneTwoAndThreeOfTheExampleGetEntries1_64And191) {
    FiveLitPixels();
    EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 0);
    const int expected[] = {1, 1, 64, 191, 191};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(Painted(100 + k, 200), expected[k]);
    }
    EXPECT_EQ(Painted(105, 200), -1) << "a count of 0 is left alone";
}

TEST_F(Equalize, AsksForFourBytesPerCountInThreeBuffers) {
    FiveLitPixels();
    std::vector<std::size_t> sizes;
    SetLocalAllocFailure([&](std::size_t bytes, int) {
        sizes.push_back(bytes);
        return false;
    });
    EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 0);
    SetLocalAllocFailure({});
    EXPECT_EQ(sizes, (std::vector<std::size_t>{16, 12, 12}));
}

TEST_F(Equalize, AFailedAllocationReturnsThreeAndPaintsNothing) {
    for (int failing = 0; failing < 3; ++failing) {
        FiveLitPixels();
        SetLocalAllocFailure([failing](std::size_t, int request) { return request == failing; });
        EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 3) << "buffer " << failing + 1;
        SetLocalAllocFailure({});
        EXPECT_TRUE(backend.messageBoxes.empty()) << "the command tells the user";
        EXPECT_EQ(Painted(100, 200), -1);
    }
}

TEST_F(Equalize, ASingleLitPixelOrNoHitsPaintNothingAndShowNothing) {
    hitmax = 0;
    EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 0);
    hitmax = 7;
    Count(5, 5, 7.0f);
    EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(5, 5), -1);
    EXPECT_TRUE(backend.messageBoxes.empty());
}

TEST_F(Equalize, AfterNormalizeEveryLitPixelIsRepainted) {
    hitmax = 4096;
    Count(0, 0, 1.0f);
    Count(1, 0, 2.0f);
    Count(2, 0, 4096.0f);
    normalize(WindowDC(g_hWnd).get());
    EXPECT_EQ(Painted(0, 0), -1) << "too few hits for normalize";
    EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(0, 0), 1);
    EXPECT_EQ(Painted(1, 0), 128);
    EXPECT_EQ(Painted(2, 0), 255);
}

TEST_F(Equalize, ACountAboveTheRecordedMostStaysInsideTheBuffers) {
    hitmax = 2;
    Count(0, 0, 1.0f);
    Count(1, 0, 2.0f);
    Count(2, 0, 90.0f); // left by another colouring method
    EXPECT_EQ(equalize(WindowDC(g_hWnd).get()), 0);
    EXPECT_EQ(Painted(2, 0), 255);
}

} // namespace
} // namespace orv::test
