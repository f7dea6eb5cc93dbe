#include "program_fixture.h"

#include "render/state.h"
#include "render/surfaces.h"
#include "resources/resources.h"
#include "ui/driver.h"

namespace orv::test {
namespace {

class Dialogs : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
        TakeStartCommand();
        fractaldriver(); // a render has begun
        Command(165);
    }
};

TEST_F(Dialogs, TheBackgroundIsClampedAndStoredRedLowest) {
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 410, "300");
        Type(dialog, 411, "128");
        Type(dialog, 412, "-5");
        Click(dialog, IDOK);
    });
    Command(kBackgroundColor);
    EXPECT_EQ(backend.dialogs[0].caption, "Select the Background Color");
    EXPECT_EQ(backend.dialogs[0].texts.at(410), "255");
    EXPECT_EQ(backend.dialogs[0].texts.at(412), "230");
    EXPECT_EQ(red, 255);
    EXPECT_EQ(green, 128);
    EXPECT_EQ(blue, 0);
    EXPECT_EQ(back, 0x000080FFu);
    EXPECT_EQ(firstloop, 1);
}

TEST_F(Dialogs, ACancelledBackgroundChangesNothing) {
    backend.dialogScripts.push_back([](HWND dialog) {
        Type(dialog, 410, "0");
        Click(dialog, IDCANCEL);
    });
    Command(kBackgroundColor);
    EXPECT_EQ(red, 255);
    EXPECT_EQ(firstloop, 0);
}

TEST_F(Dialogs, TheTypeDialogSelectsTheTypeAndEndsMapMode) {
    lmapflag = 1;
    backend.dialogScripts.push_back([](HWND dialog) { Click(dialog, IDOK); });
    Command(kAttractorType);
    EXPECT_TRUE(backend.dialogs[0].checks.at(220));
    EXPECT_EQ(type, 0);
    EXPECT_EQ(lmapflag, 0);
    EXPECT_EQ(firstloop, 0) << "the same type does not restart";

    backend.dialogScripts.push_back([](HWND dialog) {
        Choose(dialog, 223);
        Click(dialog, IDOK);
    });
    Command(kAttractorType);
    EXPECT_EQ(backend.dialogs[1].caption, "Select the Attractor Type");
    EXPECT_EQ(type, 3);
    EXPECT_EQ(firstloop, 1);
}

TEST_F(Dialogs, TheColoringMethodIsKeptPerType) {
    type = 2;
    backend.dialogScripts.push_back([](HWND dialog) {
        Choose(dialog, 511);
        Click(dialog, IDOK);
    });
    Command(kColoringMethod);
    EXPECT_EQ(method[2], 1);
    EXPECT_EQ(method[0], 0);
    EXPECT_EQ(firstloop, 1);
    backend.dialogScripts.push_back([](HWND dialog) {
        Choose(dialog, 512);
        Click(dialog, IDCANCEL);
    });
    Command(kColoringMethod);
    EXPECT_EQ(method[2], 1);
}

TEST_F(Dialogs, TheMainWindowIsDisabledWhileADialogIsOpen) {
    bool enabledDuring = true;
    backend.dialogScripts.push_back(
        [&enabledDuring](HWND) { enabledDuring = IsWindowEnabled(g_hWnd) != FALSE; });
    Command(kColoringMethod);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(IsWindowEnabled(g_hWnd));
}

} // namespace
} // namespace orv::test
